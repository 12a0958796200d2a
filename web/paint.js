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
    numberLine: 0,
  }, fields, {
    kinds: text(fields.cellKinds).split("\n"),
    crossed: fields.crossed ? text(fields.crossed) : null,
    legend: fields.legend && fields.legend.length ? text(fields.legend).split("\n") : [],
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

// One pixel a cell: the cell's colour, then every drawn rectangle's fill over it in drawing
// order. `top` keeps, per cell, the last drawn rectangle over it (its place in `drawn`).
function paintCells(scene) {
  const {w, h, cells, drawn, tints} = scene;
  const pixels = new Uint8ClampedArray(w * h * 4);
  const top = new Int32Array(w * h).fill(-1);
  const kindColours = scene.kinds.map((kind) => rgbOf(COLOURS[kind]));
  for (let i = 0; i < w * h; ++i) {
    const colour = kindColours[cells[i]];
    pixels[4 * i] = colour[0];
    pixels[4 * i + 1] = colour[1];
    pixels[4 * i + 2] = colour[2];
    pixels[4 * i + 3] = 255;
  }
  const tintColours = COLOURS.tints.map(rgbOf);
  const failingColour = rgbOf(COLOURS.failing);
  for (let d = 0; d < drawn.length; ++d) {
    const box = clipRect(scene, drawn[d]);
    if (!box) continue;
    const failing = drawn[d] === scene.failing;
    const colour = failing ? failingColour : tintColours[tints[d]];
    const alpha = failing ? FAILING_ALPHA : RECT_ALPHA;
    const add = colour.map((value) => value * alpha);
    for (let y = box[1]; y < box[3]; ++y) {
      for (let i = y * w + box[0], end = y * w + box[2]; i < end; ++i) {
        pixels[4 * i] = pixels[4 * i] * (1 - alpha) + add[0];
        pixels[4 * i + 1] = pixels[4 * i + 1] * (1 - alpha) + add[1];
        pixels[4 * i + 2] = pixels[4 * i + 2] * (1 - alpha) + add[2];
        top[i] = d;
      }
    }
  }
  return {pixels, top};
}

// The drawn rectangles by the squares of TILE x TILE cells they meet, as offsets into one list.
function indexRects(scene) {
  const across = Math.ceil(scene.w / TILE);
  const tiles = across * Math.ceil(scene.h / TILE);
  const starts = new Int32Array(tiles + 1);
  const eachTile = (d, visit) => {
    const box = clipRect(scene, scene.drawn[d]);
    if (!box) return;
    for (let ty = Math.floor(box[1] / TILE); ty * TILE < box[3]; ++ty) {
      for (let tx = Math.floor(box[0] / TILE); tx * TILE < box[2]; ++tx) visit(ty * across + tx);
    }
  };
  for (let d = 0; d < scene.drawn.length; ++d) eachTile(d, (tile) => ++starts[tile + 1]);
  for (let t = 0; t < tiles; ++t) starts[t + 1] += starts[t];
  const list = new Int32Array(starts[tiles]);
  const filled = starts.slice(0, tiles);
  for (let d = 0; d < scene.drawn.length; ++d) eachTile(d, (tile) => { list[filled[tile]++] = d; });
  return {tileAcross: across, tileStarts: starts, tileList: list};
}

// What the worker adds to the scene's fields: the bitmap, the topmost rectangle of each cell and
// the index of the rectangles by place.
function paintScene(scene) {
  return Object.assign(paintCells(scene), indexRects(scene));
}
