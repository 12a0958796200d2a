// The picture on a canvas: the scene (web/paint.js) drawn by its layers (web/picture_layers.js)
// at any zoom, always the whole grid within reach. The mouse drags it; the wheel zooms it only
// when the picture has the focus or with Ctrl held, so that the wheel still scrolls the page;
// on a touch screen two fingers move and zoom it and one finger scrolls the page. Keys, on the
// picture: arrows (with Shift: further), + and -, 0 for the whole grid, f for the failure.
"use strict";

// How long the hint that the wheel needs Ctrl or a click stays up, in milliseconds.
const HINT_MS = 1500;
// The canvas's height, in pixels, whatever the grid's shape.
const LEAST_CANVAS_HEIGHT = 240;
const MOST_CANVAS_HEIGHT = 760;

class Picture {
  constructor(canvas, onPointer, hint) {
    this.canvas = canvas;
    this.onPointer = onPointer;
    this.hint = hint;
    this.scene = null;
    this.lines = null;
    this.scale = 1;
    this.ox = 0;
    this.oy = 0;
    this.pending = false;
    new ResizeObserver(() => this.resize()).observe(canvas);
    this.listen();
  }

  // Shows a new scene, the whole grid in view; the worker painted its bitmap.
  show(fields) {
    this.scene = sceneOf(fields);
    this.lines = null;
    this.layers = LAYERS.filter((layer) => layer.shows(this.scene));
    const {w, h} = this.scene;
    this.bitmap = document.createElement("canvas");
    this.bitmap.width = w;
    this.bitmap.height = h;
    this.bitmap.getContext("2d").putImageData(new ImageData(this.scene.pixels, w, h), 0, 0);
    this.scene.pixels = null;  // the bitmap holds them
    this.fitHeight();
    this.fit();
  }

  // The canvas as tall as the whole grid needs at its width, within what the window allows.
  fitHeight() {
    const beyond = ringBeyond(this.scene);
    const across = this.canvas.clientWidth - rulerWidth(this.scene) - 2 * beyond;
    const cell = Math.min(this.scene.mostCellPixels, across / this.scene.w);
    const most = Math.min(0.7 * window.innerHeight, MOST_CANVAS_HEIGHT);
    const height = this.scene.h * cell + RULER_BAND + 2 * beyond;
    this.canvas.style.height = Math.round(Math.max(LEAST_CANVAS_HEIGHT, Math.min(most, height))) + "px";
  }

  // The rectangles' lines as written (see SendLines in src/web/scene_fields.h).
  setLines(fields) {
    this.lines = fields;
  }

  // The legend's entries: how each is drawn, and its words.
  legend() {
    if (!this.scene) return [];
    return this.scene.legend.map((name, i) => Object.assign({text: this.scene.legendWords[i]}, LEGEND[name]));
  }

  // Whether the failure points at a cell or a row that "go to the failure" can show.
  pointsAtCell() {
    return Boolean(this.scene && (this.scene.pointed || this.scene.faultRow !== undefined));
  }

  // The whole grid, clear of the rulers and with room for the ring around a cell on its edge,
  // its cells at most as large as the SVG picture draws them.
  fit() {
    if (!this.scene) return this.redraw();
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
    if (!this.scene) return;
    const {width, height} = this.size();
    if (px === undefined) [px, py] = [width / 2, height / 2];
    const least = Math.min(width / this.scene.w, height / this.scene.h) / 2;
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
    if (!this.scene) return;
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
    if (!this.scene) return null;
    const x = Math.floor((px - this.ox) / this.scale);
    const y = Math.floor((py - this.oy) / this.scale);
    return x >= 0 && y >= 0 && x < this.scene.w && y < this.scene.h ? [x, y] : null;
  }

  // What cell (x, y) shows: its kind, and the topmost drawn rectangle over it with its ordinal
  // and line.
  describe([x, y]) {
    const scene = this.scene;
    const at = y * scene.w + x;
    const place = topAt(scene, x, y);
    const kind = scene.kinds[scene.cells[at]];
    const about = {x, y, kind: KIND_WORDS[kind] || kind};
    if (place >= 0) {
      const index = scene.drawn[place];
      const r = scene.rects.subarray(4 * index, 4 * index + 4);
      about.rectangle = index + 1;
      about.line = scene.drawnLines[place];
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

  // Shows for a moment that the wheel zooms only with Ctrl or once the picture is clicked.
  showHint() {
    this.hint.classList.add("shown");
    clearTimeout(this.hintTimer);
    this.hintTimer = setTimeout(() => this.hint.classList.remove("shown"), HINT_MS);
  }

  local(event) {
    const box = this.canvas.getBoundingClientRect();
    return [event.clientX - box.left, event.clientY - box.top];
  }

  listen() {
    const canvas = this.canvas;
    let drag = null;
    let touched = null;  // where a finger went down, to tell a tap from a scroll
    canvas.addEventListener("pointerdown", (event) => {
      if (event.pointerType === "touch") {
        touched = this.local(event);
        return;
      }
      drag = this.local(event);
      canvas.setPointerCapture(event.pointerId);
      canvas.focus();
    });
    canvas.addEventListener("pointerup", (event) => {
      drag = null;
      const [px, py] = this.local(event);
      if (touched && Math.hypot(px - touched[0], py - touched[1]) < 10) {
        const cell = this.cellAt(px, py);
        this.onPointer(cell && this.describe(cell));
      }
      touched = null;
    });
    canvas.addEventListener("pointercancel", () => { drag = touched = null; });
    canvas.addEventListener("pointermove", (event) => {
      if (event.pointerType === "touch") return;
      const [px, py] = this.local(event);
      if (drag && this.scene) {
        this.pan(px - drag[0], py - drag[1]);
        drag = [px, py];
      }
      const cell = this.cellAt(px, py);
      this.onPointer(cell && this.describe(cell));
    });
    canvas.addEventListener("pointerleave", (event) => {
      if (event.pointerType !== "touch") this.onPointer(null);
    });
    canvas.addEventListener("wheel", (event) => {
      if (!this.scene) return;
      if (!event.ctrlKey && document.activeElement !== canvas) {
        this.showHint();
        return;
      }
      event.preventDefault();
      const lines = event.deltaMode === 1 ? 16 : event.deltaMode === 2 ? 400 : 1;
      const [px, py] = this.local(event);
      this.zoom(Math.exp(-event.deltaY * lines * 0.002), px, py);
    }, {passive: false});
    this.listenToTouch();
    canvas.addEventListener("keydown", (event) => {
      if (!this.scene || event.ctrlKey || event.metaKey || event.altKey) return;
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

  // Two fingers move and zoom the picture; one finger is left to the page, which scrolls.
  listenToTouch() {
    let last = null;  // the two fingers' middle and distance apart
    const pair = (event) => {
      const [a, b] = Array.from(event.touches, (touch) => this.local(touch));
      return {x: (a[0] + b[0]) / 2, y: (a[1] + b[1]) / 2, apart: Math.hypot(a[0] - b[0], a[1] - b[1])};
    };
    const follow = (event) => {
      if (event.touches.length !== 2 || !this.scene) {
        last = null;
        return;
      }
      event.preventDefault();
      const now = pair(event);
      if (last) {
        this.pan(now.x - last.x, now.y - last.y);
        if (last.apart > 0) this.zoom(now.apart / last.apart, now.x, now.y);
      }
      last = now;
    };
    this.canvas.addEventListener("touchstart", follow, {passive: false});
    this.canvas.addEventListener("touchmove", follow, {passive: false});
    this.canvas.addEventListener("touchend", follow);
  }
}
