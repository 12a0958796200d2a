// How the picture draws each part of the scene (web/paint.js), in order: the bitmap of cells
// and fills, the outlines, the failing rectangle, the grid lines, the rejected row, the crossed
// edge, the named cell and the rulers. What it shows comes from the scene's fields alone; how it
// shows each field is one entry of LAYERS below. The legend lists the keys the scene's "legend"
// names, each drawn as LEGEND says, in the words the scene sends; the rulers and grid lines follow the rule the scene sends
// (src/view/scale.h). A new field of the scene needs its line in src/web/scene_fields.cpp and
// its entries here.
"use strict";

const FAULT_ROW_ALPHA = 0.4;
// Outlines of every rectangle in view from this many pixels a cell; the failing one always.
const OUTLINES_FROM = 4;
const MOST_OUTLINES = 20000;
const MOST_PIXELS_A_CELL = 400;
const FOCUS_PIXELS = 24;  // pixels a cell side around the failure, at least
// The rulers along the canvas's top and left edges: the height of the column numbers.
const RULER_BAND = 18;
const RULER_FONT = "11px monospace";
// The ring around the named cell keeps clear of the cell's corners, as in the SVG picture.
const RING_LEAST = 12;
const RING_STROKE = 3;
const ringRadius = (scale) => Math.max(RING_LEAST, 0.71 * scale + 4);

// The numbers a ruler shows for the cells `first` to `last` at `scale`: the multiples of the
// smallest step whose numbers do not touch, and `named` in place of the multiples too near it
// (the rule of RulerNumbers in src/view/scale.h, with the values the scene sends).
function rulerNumbers(scene, first, last, scale, named) {
  const apart = scene.rulerDigits * scene.digitPixels + scene.rulerGap;
  const steps = scene.rulerSteps;
  const step = steps.find((candidate) => candidate * scale >= apart) || steps[steps.length - 1];
  const inRange = named !== undefined && named >= first && named <= last;
  const numbers = [];
  for (let number = Math.ceil(first / step) * step; number <= last; number += step) {
    if (!inRange || Math.abs(number - named) * scale >= apart) numbers.push(number);
  }
  if (inRange) numbers.push(named);
  return numbers.sort((a, b) => a - b);
}

// The width of the row numbers along the canvas's left edge.
const rulerWidth = (scene) => scene.rulerDigits * scene.digitPixels + 10;

// How far the ring can reach beyond a cell on the grid's edge when the whole grid is shown.
const ringBeyond = (scene) =>
  Math.ceil(ringRadius(scene.mostCellPixels) + RING_STROKE / 2 - scene.mostCellPixels / 2);

// The column and the row the rulers name: those of the cell the failure points at.
function namedOf(scene) {
  return scene.pointed ? {column: scene.pointed[0], row: scene.pointed[1]}
                       : {column: undefined, row: scene.faultRow};
}

// The drawn rectangles (places in `drawn`) that meet the cells [x0, x1) x [y0, y1), each once,
// by the index paint.js made.
function rectsIn(scene, x0, y0, x1, y1) {
  const {tileAcross, tileStarts, tileList} = scene;
  const seen = new Set();
  for (let ty = Math.floor(y0 / TILE); ty * TILE < y1; ++ty) {
    for (let tx = Math.floor(x0 / TILE); tx * TILE < x1; ++tx) {
      const tile = ty * tileAcross + tx;
      for (let k = tileStarts[tile]; k < tileStarts[tile + 1]; ++k) seen.add(tileList[k]);
    }
  }
  return seen;
}

// The band along the grid's edge that the failing rectangle crosses, in cells, as far as the
// rectangle runs along it (the whole edge when it runs beside the grid).
function crossedBand(scene, thickness) {
  const r = scene.rects;
  const i = 4 * scene.failing;
  const span = (start, length, limit) => {
    const low = Math.min(Math.max(start, 0), limit);
    const high = Math.min(Math.max(start + Math.max(length, 1), 0), limit);
    return low < high ? [low, high] : [0, limit];
  };
  const [x0, x1] = span(r[i], r[i + 2], scene.w);
  const [y0, y1] = span(r[i + 1], r[i + 3], scene.h);
  switch (scene.crossed) {
    case "left": return [0, y0, thickness, y1 - y0];
    case "right": return [scene.w - thickness, y0, thickness, y1 - y0];
    case "top": return [x0, 0, x1 - x0, thickness];
    default: return [x0, scene.h - thickness, x1 - x0, thickness];
  }
}

// How each part of the scene is drawn, in this order; `view` maps cells to canvas pixels.
const LAYERS = [
  {
    shows: (scene) => scene.w > 0,
    draw(ctx, view, picture) {
      const {x0, y0, x1, y1} = view.cells;
      ctx.imageSmoothingEnabled = false;
      ctx.drawImage(picture.bitmap, x0, y0, x1 - x0, y1 - y0,
                    view.x(x0), view.y(y0), (x1 - x0) * view.scale, (y1 - y0) * view.scale);
    },
  },
  {
    shows: (scene) => scene.drawn.length > 0,
    draw(ctx, view, picture) {
      if (view.scale < OUTLINES_FROM) return;
      const {x0, y0, x1, y1} = view.cells;
      const places = rectsIn(picture.scene, x0, y0, x1, y1);
      if (places.size > MOST_OUTLINES) return;
      const paths = COLOURS.tintStrokes.map(() => new Path2D());
      for (const d of places) {
        const box = clipRect(picture.scene, picture.scene.drawn[d]);
        paths[picture.scene.tints[d]].rect(view.x(box[0]), view.y(box[1]),
                                           (box[2] - box[0]) * view.scale, (box[3] - box[1]) * view.scale);
      }
      ctx.lineWidth = Math.min(Math.max(1, 0.02 * view.scale), 0.12 * view.scale);
      paths.forEach((path, tint) => {
        ctx.strokeStyle = COLOURS.tintStrokes[tint];
        ctx.stroke(path);
      });
    },
  },
  {
    shows: (scene) => scene.failing >= 0 && clipRect(scene, scene.failing) !== null,
    draw(ctx, view, picture) {
      const box = clipRect(picture.scene, picture.scene.failing);
      ctx.lineWidth = Math.max(2, Math.min(0.36 * view.scale, 3 * Math.max(1, 0.02 * view.scale)));
      ctx.strokeStyle = COLOURS.failingStroke;
      ctx.strokeRect(view.x(box[0]), view.y(box[1]), (box[2] - box[0]) * view.scale,
                     (box[3] - box[1]) * view.scale);
    },
  },
  {
    shows: (scene) => scene.w > 0,
    draw(ctx, view, picture) {
      if (view.scale < picture.scene.gridLinesFrom) return;
      const {x0, y0, x1, y1} = view.cells;
      const path = new Path2D();
      for (let x = x0 + 1; x < x1; ++x) {
        path.moveTo(Math.round(view.x(x)) + 0.5, view.y(y0));
        path.lineTo(Math.round(view.x(x)) + 0.5, view.y(y1));
      }
      for (let y = y0 + 1; y < y1; ++y) {
        path.moveTo(view.x(x0), Math.round(view.y(y)) + 0.5);
        path.lineTo(view.x(x1), Math.round(view.y(y)) + 0.5);
      }
      ctx.lineWidth = 1;
      ctx.strokeStyle = COLOURS.gridLines;
      ctx.stroke(path);
    },
  },
  {
    shows: (scene) => scene.faultRow !== undefined,
    draw(ctx, view, picture) {
      const {w} = picture.scene;
      const row = picture.scene.faultRow;
      ctx.globalAlpha = FAULT_ROW_ALPHA;
      ctx.fillStyle = COLOURS.fault;
      ctx.fillRect(view.x(0), view.y(row), w * view.scale, view.scale);
      ctx.globalAlpha = 1;
      ctx.lineWidth = 1;
      ctx.strokeStyle = COLOURS.failingStroke;
      ctx.strokeRect(view.x(0), view.y(row), w * view.scale, view.scale);
    },
  },
  {
    shows: (scene) => scene.crossed !== null && scene.failing >= 0,
    draw(ctx, view, picture) {
      const thickness = Math.min(0.5, Math.max(0.15, 5 / view.scale));
      const [x, y, width, height] = crossedBand(picture.scene, thickness);
      ctx.fillStyle = COLOURS.edge;
      ctx.fillRect(view.x(x), view.y(y), width * view.scale, height * view.scale);
    },
  },
  {
    // The named cell in yellow, its middle in the cell's own colour, and a ring around it.
    shows: (scene) => scene.faultCell !== undefined,
    draw(ctx, view, picture) {
      const scene = picture.scene;
      const [x, y] = scene.faultCell;
      const size = Math.max(view.scale, 3);
      const left = view.x(x + 0.5) - size / 2;
      const top = view.y(y + 0.5) - size / 2;
      ctx.fillStyle = COLOURS.fault;
      ctx.fillRect(left, top, size, size);
      ctx.lineWidth = 1;
      ctx.strokeStyle = "#000000";
      ctx.strokeRect(left, top, size, size);
      ctx.fillStyle = COLOURS[scene.kinds[scene.cells[y * scene.w + x]]];
      ctx.fillRect(left + size / 4, top + size / 4, size / 2, size / 2);
      ctx.beginPath();
      ctx.arc(view.x(x + 0.5), view.y(y + 0.5), ringRadius(view.scale), 0, 2 * Math.PI);
      ctx.lineWidth = RING_STROKE;
      ctx.strokeStyle = COLOURS.ring;
      ctx.stroke();
    },
  },
  {
    // Rulers along the top and left edges of the canvas, over the cells: the numbers of the
    // columns and rows in view, those of the cell the failure points at in red.
    shows: (scene) => scene.w > 0,
    draw(ctx, view, picture) {
      const scene = picture.scene;
      const {width, height} = picture.size();
      const left = rulerWidth(scene);
      const named = namedOf(scene);
      ctx.fillStyle = COLOURS.rulerBand;
      ctx.fillRect(0, 0, width, RULER_BAND);
      ctx.fillRect(0, RULER_BAND, left, height - RULER_BAND);
      const ticks = new Path2D();
      ticks.moveTo(left, RULER_BAND - 0.5);
      ticks.lineTo(width, RULER_BAND - 0.5);
      ticks.moveTo(left - 0.5, RULER_BAND);
      ticks.lineTo(left - 0.5, height);
      ctx.font = RULER_FONT;
      const label = (number, isNamed, x, y) => {
        ctx.font = (isNamed ? "bold " : "") + RULER_FONT;
        ctx.fillStyle = isNamed ? COLOURS.rulerNamed : COLOURS.rulerText;
        ctx.fillText(String(number), x, y);
      };
      ctx.textAlign = "center";
      ctx.textBaseline = "alphabetic";
      const {x0, y0, x1, y1} = view.cells;
      for (const column of rulerNumbers(scene, x0, x1 - 1, view.scale, named.column)) {
        const x = Math.round(view.x(column + 0.5)) + 0.5;
        if (x < left) continue;
        ticks.moveTo(x, RULER_BAND - 4);
        ticks.lineTo(x, RULER_BAND);
        label(column, column === named.column, x, RULER_BAND - 6);
      }
      ctx.textAlign = "right";
      ctx.textBaseline = "middle";
      for (const row of rulerNumbers(scene, y0, y1 - 1, view.scale, named.row)) {
        const y = Math.round(view.y(row + 0.5)) + 0.5;
        if (y < RULER_BAND) continue;
        ticks.moveTo(left - 4, y);
        ticks.lineTo(left, y);
        label(row, row === named.row, left - 6, y);
      }
      ctx.lineWidth = 1;
      ctx.strokeStyle = COLOURS.rulerTicks;
      ctx.stroke(ticks);
    },
  },
];

// How each key of the scene's legend (src/view/legend.h) is drawn; its words come with the scene.
const LEGEND = {
  white: {colour: COLOURS.white},
  black: {colour: COLOURS.black},
  uncovered: {colour: COLOURS.uncovered},
  "not-reached": {colour: COLOURS["not-reached"]},
  unread: {colour: COLOURS.unread},
  rect: {colours: COLOURS.tints},
  failing: {colour: COLOURS.failing, outline: COLOURS.failingStroke},
  edge: {colour: COLOURS.edge},
  fault: {colour: COLOURS.fault, outline: COLOURS.ring},
  "fault-row": {colour: COLOURS.fault, outline: COLOURS.failingStroke},
};

// What a cell of each kind is, under the pointer; a kind without words shows its name.
const KIND_WORDS = {white: "white", black: "black", uncovered: "black, not covered",
                    "not-reached": "black, not covered yet (not reached)", unread: "not read"};
