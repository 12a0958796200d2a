// The picture on a canvas: the viewer's scene (src/view/scene.h) as the page gets it from
// src/web/scene_fields.cpp, drawn with the colours of the SVG picture (src/view/svg_picture.cpp).
// What it shows comes from the scene's fields alone; how it shows each field is one entry of
// LAYERS below. The legend lists the keys the scene's "legend" names, each in its words in
// LEGEND; the rulers and grid lines follow the rule the scene sends (src/view/scale.h). A new
// field of the scene needs its line in scene_fields.cpp and its entries here.
//
// The cells and the fills of the rectangles are painted once into a bitmap of one pixel a cell,
// which every frame scales with drawImage, so a frame costs the same for a million rectangles
// as for one; outlines are drawn only for the rectangles in view once cells are large enough.
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
const FAULT_ROW_ALPHA = 0.4;
// Outlines of every rectangle in view from this many pixels a cell; the failing one always.
const OUTLINES_FROM = 4;
const MOST_OUTLINES = 20000;
const TILE = 32;  // cells a side of the squares that index the rectangles by place
const MOST_PIXELS_A_CELL = 400;
const FOCUS_PIXELS = 24;  // pixels a cell side around the failure, at least
// The rulers along the canvas's top and left edges: the height of the column numbers.
const RULER_BAND = 18;
const RULER_FONT = "11px monospace";
// The ring around the named cell keeps clear of the cell's corners, as in the SVG picture.
const RING_LEAST = 12;
const RING_STROKE = 3;
const ringRadius = (scale) => Math.max(RING_LEAST, 0.71 * scale + 4);

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
  const bitmap = document.createElement("canvas");
  bitmap.width = w;
  bitmap.height = h;
  bitmap.getContext("2d").putImageData(new ImageData(pixels, w, h), 0, 0);
  return {bitmap, top};
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
  return {across, starts, list};
}

// The drawn rectangles (places in `drawn`) that meet the cells [x0, x1) x [y0, y1), each once.
function rectsIn(picture, x0, y0, x1, y1) {
  const {across, starts, list} = picture.index;
  const seen = new Set();
  for (let ty = Math.floor(y0 / TILE); ty * TILE < y1; ++ty) {
    for (let tx = Math.floor(x0 / TILE); tx * TILE < x1; ++tx) {
      const tile = ty * across + tx;
      for (let k = starts[tile]; k < starts[tile + 1]; ++k) seen.add(list[k]);
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
      const places = rectsIn(picture, x0, y0, x1, y1);
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

// What each key of the scene's legend (src/view/legend.h) means.
const LEGEND = {
  white: {colour: COLOURS.white, text: "white cell"},
  black: {colour: COLOURS.black, text: "black cell"},
  uncovered: {colour: COLOURS.uncovered, text: "black cell that no rectangle of the block covers"},
  "not-reached": {colour: COLOURS["not-reached"],
                  text: "black cell the rectangles before the failure have not covered yet"},
  unread: {colour: COLOURS.unread, text: "not read: the task input ended or failed before it"},
  rect: {colours: COLOURS.tints,
         text: "rectangle of the block: lighter over a white cell, darker over a black one"},
  failing: {colour: COLOURS.failing, outline: COLOURS.failingStroke,
            text: "the rectangle that fails the check"},
  edge: {colour: COLOURS.edge, text: "the edge of the grid it crosses"},
  fault: {colour: COLOURS.fault, outline: COLOURS.ring,
          text: "the cell the check names (its middle: the cell's own colour)"},
  "fault-row": {colour: COLOURS.fault, outline: COLOURS.failingStroke, text: "the row the check rejects"},
};

// What a cell of each kind is, under the pointer; a kind without words shows its name.
const KIND_WORDS = {white: "white", black: "black", uncovered: "black, not covered",
                    "not-reached": "black, not covered yet (not reached)", unread: "not read"};

class Picture {
  constructor(canvas, onPointer) {
    this.canvas = canvas;
    this.onPointer = onPointer;
    this.scene = null;
    this.lines = null;
    this.scale = 1;
    this.ox = 0;
    this.oy = 0;
    this.pending = false;
    new ResizeObserver(() => this.resize()).observe(canvas);
    this.listen();
  }

  // Shows a new scene, the whole grid in view.
  show(fields) {
    this.scene = sceneOf(fields);
    this.lines = null;
    this.layers = LAYERS.filter((layer) => layer.shows(this.scene));
    if (this.scene.w > 0) {
      Object.assign(this, paintCells(this.scene));
      this.index = indexRects(this.scene);
    }
    this.fit();
  }

  // The rectangles' lines as written (see SendLines in src/web/scene_fields.h).
  setLines(fields) {
    this.lines = fields;
  }

  legend() {
    return this.scene ? this.scene.legend.map((name) => LEGEND[name]).filter(Boolean) : [];
  }

  // The whole grid, clear of the rulers and with room for the ring around a cell on its edge,
  // its cells at most as large as the SVG picture draws them.
  fit() {
    if (!this.scene || this.scene.w === 0) return this.redraw();
    const inset = this.insets();
    this.scale = Math.min(this.scene.mostCellPixels, this.fitScale());
    this.ox = inset.left + (inset.width - this.scene.w * this.scale) / 2;
    this.oy = inset.top + (inset.height - this.scene.h * this.scale) / 2;
    this.redraw();
  }

  fitScale() {
    const {width, height} = this.insets();
    return Math.max(Math.min(width / this.scene.w, height / this.scene.h), 0.01);
  }

  // The part of the canvas the whole grid is fitted into.
  insets() {
    const {width, height} = this.size();
    const beyond = ringBeyond(this.scene);
    const left = rulerWidth(this.scene) + beyond;
    const top = RULER_BAND + beyond;
    return {left, top, width: width - left - beyond, height: height - top - beyond};
  }

  // Puts cell (x, y) in the middle, its cells FOCUS_PIXELS a side or larger.
  centreOn([x, y]) {
    const {width, height} = this.size();
    this.scale = Math.max(this.scale, FOCUS_PIXELS);
    this.ox = width / 2 - (x + 0.5) * this.scale;
    this.oy = height / 2 - (y + 0.5) * this.scale;
    this.redraw();
  }

  // The failure in view: the whole grid when its cells are large enough to see one.
  goToFailure() {
    if (!this.scene || !this.scene.focus) return;
    if (this.fitScale() >= FOCUS_PIXELS) this.fit();
    else this.centreOn(this.scene.focus);
  }

  zoom(factor, px, py) {
    const {width, height} = this.size();
    if (px === undefined) [px, py] = [width / 2, height / 2];
    const least = Math.min(width / Math.max(1, this.scene.w), height / Math.max(1, this.scene.h)) / 2;
    const scale = Math.min(MOST_PIXELS_A_CELL, Math.max(least, this.scale * factor));
    this.ox = px - (px - this.ox) * (scale / this.scale);
    this.oy = py - (py - this.oy) * (scale / this.scale);
    this.scale = scale;
    this.redraw();
  }

  pan(dx, dy) {
    this.ox += dx;
    this.oy += dy;
    this.redraw();
  }

  size() {
    return {width: this.canvas.clientWidth, height: this.canvas.clientHeight};
  }

  resize() {
    const ratio = window.devicePixelRatio || 1;
    const {width, height} = this.size();
    this.canvas.width = Math.round(width * ratio);
    this.canvas.height = Math.round(height * ratio);
    this.redraw();
  }

  redraw() {
    if (this.pending) return;
    this.pending = true;
    requestAnimationFrame(() => {
      this.pending = false;
      this.draw();
    });
  }

  draw() {
    const ctx = this.canvas.getContext("2d");
    const ratio = this.canvas.width / Math.max(1, this.canvas.clientWidth);
    ctx.setTransform(1, 0, 0, 1, 0, 0);
    ctx.fillStyle = "#eeeeee";
    ctx.fillRect(0, 0, this.canvas.width, this.canvas.height);
    if (!this.scene || this.scene.w === 0) return;
    ctx.setTransform(ratio, 0, 0, ratio, 0, 0);
    const view = this.view();
    if (view.cells.x0 >= view.cells.x1 || view.cells.y0 >= view.cells.y1) return;
    for (const layer of this.layers) layer.draw(ctx, view, this);
  }

  // Cells to canvas pixels, and the cells in view.
  view() {
    const {width, height} = this.size();
    const {scale, ox, oy} = this;
    const {w, h} = this.scene;
    return {
      scale,
      x: (cx) => ox + cx * scale,
      y: (cy) => oy + cy * scale,
      cells: {
        x0: Math.max(0, Math.floor(-ox / scale)),
        y0: Math.max(0, Math.floor(-oy / scale)),
        x1: Math.min(w, Math.ceil((width - ox) / scale)),
        y1: Math.min(h, Math.ceil((height - oy) / scale)),
      },
    };
  }

  // The cell under canvas pixel (px, py), or null.
  cellAt(px, py) {
    if (!this.scene || this.scene.w === 0) return null;
    const x = Math.floor((px - this.ox) / this.scale);
    const y = Math.floor((py - this.oy) / this.scale);
    return x >= 0 && y >= 0 && x < this.scene.w && y < this.scene.h ? [x, y] : null;
  }

  // What cell (x, y) shows: its kind, and the topmost drawn rectangle over it with its ordinal
  // and line.
  describe([x, y]) {
    const scene = this.scene;
    const at = y * scene.w + x;
    const place = this.top[at];
    const kind = scene.kinds[scene.cells[at]];
    const about = {x, y, kind: KIND_WORDS[kind] || kind};
    if (place >= 0) {
      const index = scene.drawn[place];
      const r = scene.rects.subarray(4 * index, 4 * index + 4);
      about.rectangle = index + 1;
      about.line = scene.numberLine + 2 + index;
      about.failing = index === scene.failing;
      about.text = this.lineText(place) || r.join(" ");
    }
    return about;
  }

  // The line of the drawn rectangle at `place` as written, once the lines have come.
  lineText(place) {
    const lines = this.lines;
    if (!lines || lines.lineCut[place] === 2) return null;
    const start = place > 0 ? lines.lineEnds[place - 1] : 0;
    return {bytes: lines.lineText.subarray(start, lines.lineEnds[place]), cut: lines.lineCut[place] === 1};
  }

  listen() {
    const canvas = this.canvas;
    let drag = null;
    const local = (event) => {
      const box = canvas.getBoundingClientRect();
      return [event.clientX - box.left, event.clientY - box.top];
    };
    canvas.addEventListener("pointerdown", (event) => {
      drag = local(event);
      canvas.setPointerCapture(event.pointerId);
      canvas.focus();
    });
    canvas.addEventListener("pointerup", () => { drag = null; });
    canvas.addEventListener("pointermove", (event) => {
      const [px, py] = local(event);
      if (drag && this.scene) {
        this.pan(px - drag[0], py - drag[1]);
        drag = [px, py];
      }
      const cell = this.cellAt(px, py);
      this.onPointer(cell && this.describe(cell));
    });
    canvas.addEventListener("pointerleave", () => this.onPointer(null));
    canvas.addEventListener("wheel", (event) => {
      if (!this.scene || this.scene.w === 0) return;
      event.preventDefault();
      const lines = event.deltaMode === 1 ? 16 : event.deltaMode === 2 ? 400 : 1;
      const [px, py] = local(event);
      this.zoom(Math.exp(-event.deltaY * lines * 0.002), px, py);
    }, {passive: false});
    canvas.addEventListener("keydown", (event) => {
      if (!this.scene || this.scene.w === 0) return;
      const step = event.shiftKey ? 200 : 50;
      const keys = {
        ArrowLeft: () => this.pan(step, 0),
        ArrowRight: () => this.pan(-step, 0),
        ArrowUp: () => this.pan(0, step),
        ArrowDown: () => this.pan(0, -step),
        "+": () => this.zoom(1.25),
        "=": () => this.zoom(1.25),
        "-": () => this.zoom(0.8),
        "0": () => this.fit(),
        Home: () => this.fit(),
        f: () => this.goToFailure(),
      };
      if (keys[event.key]) {
        event.preventDefault();
        keys[event.key]();
      }
    });
  }
}
