// The scene as the page gets it from src/web/scene_fields.cpp, its colours (those of the SVG
// picture, src/view/svg_picture.cpp), and what the worker makes of it before the page draws it:
// the cells and the fills of the rectangles painted once into a bitmap of one pixel a cell,
// which every frame of the picture scales, and the rectangles indexed by place. Done in the
// worker, so that no picture, however many rectangles it holds, keeps the page busy.
"use strict";

const COLOURS = {
  white: "#ffffff",
  black: "#262626",
  uncovered: "#e6007e",
  "not-reached": "#8c8c8c",
  unread: "#c8c8c8",
  tints: ["#4e79a7", "#59a14f", "#76b7b2", "#b07aa1", "#9c755f", "#edc948"],
  tintStrokes: ["#1f3f66", "#2d5a27", "#2f6b66", "#6b3f5f", "#5c3f2e", "#8a7020"],
  failing: "#ff7f0e",
  failingStroke: "#c00000",
  fault: "#ffe600",
  ring: "#00c8ff",
  edge: "#c00000",
  gridLines: "rgba(140, 140, 140, 0.6)",
  rulerBand: "rgba(255, 255, 255, 0.9)",
  rulerText: "#555555",
  rulerNamed: "#c00000",
  rulerTicks: "#999999",
};
const RECT_ALPHA = 0.8;
const FAILING_ALPHA = 0.85;
const TILE = 32;  // cells a side of the squares that index the rectangles by place

// The scene with its defaults, as the layers read it.
function sceneOf(fields) {
  const text = (bytes) => String.fromCharCode.apply(null, bytes || []);
  return Object.assign({
    w: 0,
    h: 0,
    rects: new Int32Array(0),
    drawn: new Int32Array(0),
    tints: new Uint8Array(0),
    meeting: 0,
    failing: -1,
    drawnLines: new Float64Array(0),
  }, fields, {
    kinds: text(fields.cellKinds).split("\n"),
    crossed: fields.crossed ? text(fields.crossed) : null,
    legend: fields.legend && fields.legend.length ? text(fields.legend).split("\n") : [],
    legendWords: fields.legendWords && fields.legendWords.length ? text(fields.legendWords).split("\n") : [],
  });
}

// The part of rectangle `index` inside the grid, as [x0, y0, x1, y1]; null when none.
function clipRect(scene, index) {
  const r = scene.rects;
  const x0 = Math.max(0, r[4 * index]);
  const y0 = Math.max(0, r[4 * index + 1]);
  const x1 = Math.min(scene.w, r[4 * index] + r[4 * index + 2]);
  const y1 = Math.min(scene.h, r[4 * index + 1] + r[4 * index + 3]);
  return x0 < x1 && y0 < y1 ? [x0, y0, x1, y1] : null;
}

function rgbOf(colour) {
  const value = parseInt(colour.slice(1), 16);
  return [value >> 16, (value >> 8) & 255, value & 255];
}

// A colour as one opaque pixel of a little-endian 32-bit view of RGBA bytes.
const pixelOf = ([r, g, b]) => (0xff000000 | (b << 16) | (g << 8) | r) >>> 0;

// One pixel a cell: the cell's colour, then every drawn rectangle's fill over it in drawing
// order. Pixels are written whole, as 32-bit words, and blended in fixed point: a million cells
// and as many rectangles take tens of milliseconds.
function paintCells(scene) {
  const {w, h, cells, drawn, tints} = scene;
  const words = new Uint32Array(w * h);
  const kindPixels = scene.kinds.map((kind) => pixelOf(rgbOf(COLOURS[kind])));
  for (let i = 0; i < w * h; ++i) words[i] = kindPixels[cells[i]];
  const tintColours = COLOURS.tints.map(rgbOf);
  const failingColour = rgbOf(COLOURS.failing);
  for (let d = 0; d < drawn.length; ++d) {
    const box = clipRect(scene, drawn[d]);
    if (!box) continue;
    const failing = drawn[d] === scene.failing;
    const [r, g, b] = failing ? failingColour : tintColours[tints[d]];
    const alpha = failing ? FAILING_ALPHA : RECT_ALPHA;
    const keep = Math.round((1 - alpha) * 256);
    const addR = Math.round(r * alpha * 256) + 128;
    const addG = Math.round(g * alpha * 256) + 128;
    const addB = Math.round(b * alpha * 256) + 128;
    for (let y = box[1]; y < box[3]; ++y) {
      for (let i = y * w + box[0], end = y * w + box[2]; i < end; ++i) {
        const word = words[i];
        words[i] = (0xff000000 | ((((word >>> 16) & 255) * keep + addB) >> 8) << 16 |
                    ((((word >>> 8) & 255) * keep + addG) >> 8) << 8 | (((word & 255) * keep + addR) >> 8)) >>> 0;
      }
    }
  }
  return {pixels: new Uint8ClampedArray(words.buffer)};
}

// The drawn rectangles by the squares of TILE x TILE cells they meet, as offsets into one list.
function indexRects(scene) {
  const across = Math.ceil(scene.w / TILE);
  const tiles = across * Math.ceil(scene.h / TILE);
  const starts = new Int32Array(tiles + 1);
  const spans = new Int32Array(4 * scene.drawn.length).fill(-1);  // tiles met: x0, y0, x1, y1
  for (let d = 0; d < scene.drawn.length; ++d) {
    const box = clipRect(scene, scene.drawn[d]);
    if (!box) continue;
    spans.set([Math.floor(box[0] / TILE), Math.floor(box[1] / TILE), Math.ceil(box[2] / TILE),
               Math.ceil(box[3] / TILE)], 4 * d);
    for (let ty = spans[4 * d + 1]; ty < spans[4 * d + 3]; ++ty) {
      for (let tx = spans[4 * d]; tx < spans[4 * d + 2]; ++tx) ++starts[ty * across + tx + 1];
    }
  }
  for (let t = 0; t < tiles; ++t) starts[t + 1] += starts[t];
  const list = new Int32Array(starts[tiles]);
  const filled = starts.slice(0, tiles);
  for (let d = 0; d < scene.drawn.length; ++d) {
    for (let ty = spans[4 * d + 1]; ty < spans[4 * d + 3]; ++ty) {
      for (let tx = spans[4 * d]; tx < spans[4 * d + 2]; ++tx) list[filled[ty * across + tx]++] = d;
    }
  }
  return {tileAcross: across, tileStarts: starts, tileList: list};
}

// The last drawn rectangle over cell (x, y), as its place in `drawn`, or -1: found among those
// the index lists for the cell's square, from the last drawn. Looked up when asked rather than
// kept for every cell, which would cost the page four bytes a cell.
function topAt(scene, x, y) {
  const tile = Math.floor(y / TILE) * scene.tileAcross + Math.floor(x / TILE);
  for (let k = scene.tileStarts[tile + 1] - 1; k >= scene.tileStarts[tile]; --k) {
    const box = clipRect(scene, scene.drawn[scene.tileList[k]]);
    if (box && x >= box[0] && x < box[2] && y >= box[1] && y < box[3]) return scene.tileList[k];
  }
  return -1;
}

// What the worker adds to the scene's fields: the bitmap and the index of the rectangles by
// place.
function paintScene(scene) {
  return Object.assign(paintCells(scene), indexRects(scene));
}
