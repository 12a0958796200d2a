// The page: the user picks or drops the task input and the submission (files.js), a worker
// (worker.js) evaluates them with the evaluator compiled to WebAssembly, and the page shows the
// verdict in words (verdict.js), the picture (picture.js) and the report as written. The page
// is one file: the module and the worker's scripts stand in it, so it loads nothing, works
// opened from disk as well as hosted, and makes no request at all. No cookie, no storage: the
// files live only in the page's memory.
"use strict";

const page = {
  module: null,
  workerUrl: null,
  reader: null,  // the reader's script, for the worker to start
  worker: null,
  spare: null,  // a worker with the module ready, for the next evaluation
  total: 0,
  started: 0,
  report: null,
  verdict: null,
  block: 0,
  swap: null,  // the files' misplacement when this check started, if a swap puts it right
  kept: {},  // the scene and the lines of this check, until its worker has ended
};
const $ = (id) => document.getElementById(id);

function load() {
  const parts = Array.from(document.querySelectorAll("script.worker"), (script) => script.textContent);
  page.workerUrl = URL.createObjectURL(new Blob([parts.join("\n")], {type: "text/javascript"}));
  page.reader = $("reader").textContent;
  const wasm = Uint8Array.from(atob($("module").textContent.trim()), (c) => c.charCodeAt(0));
  WebAssembly.compile(wasm).then((module) => {
    page.module = module;
    prepareWorker();
    setState("ready");
    if (files.input && files.submission) filesChanged();
  }, (error) => {
    setState("broken", "This browser cannot run the evaluator (" + error.message + "): it needs " +
             "Chrome or Edge 95, Firefox 100, Safari 16.4 or newer.");
  });
}

function setState(state, text) {
  document.body.dataset.state = state;
  const ready = page.module && files.input && files.submission;
  const words = {
    ready: ready ? "Ready: press Check." : "Pick the task input and the submission.",
    running: "Reading the files…",
    cancelled: "Cancelled.",
  };
  $("state").textContent = text || words[state] || "";
  $("check").disabled = !ready || state === "running";
  $("cancel").disabled = state !== "running";
}

// A file was picked, dropped, moved or swapped: say what looks wrong, else check at once.
function filesChanged() {
  const misplaced = misplacement();
  for (const which of ["input", "submission"]) {
    $("drop-" + which).classList.toggle("misplaced", Boolean(files[which] && files[which].kind === OTHER[which]));
  }
  $("files-notice").hidden = !misplaced;
  if (misplaced) {
    $("files-notice-text").textContent = misplaced.text;
    $("files-notice-action").hidden = !misplaced.action;
    $("files-notice-action").textContent = misplaced.action === "swap" ? "Swap the files"
        : "Move it to the " + FILE_WORDS[OTHER[misplaced.which]] + " box";
    $("files-notice-action").onclick = () => (misplaced.action === "swap" ? swapFiles() : moveFile(misplaced.which));
  }
  page.block = 0;
  if (files.input && files.submission && page.module && !misplaced) start();
  else if (document.body.dataset.state !== "broken" && document.body.dataset.state !== "running") {
    setState("ready", misplaced && files.input && files.submission ? "Put the files right, or press Check to check them as they are." : "");
  }
}

function prepareWorker() {
  if (!page.spare) {
    page.spare = new Worker(page.workerUrl);
    page.spare.postMessage({module: page.module, reader: page.reader});
  }
}

async function start(block = 0) {
  stop();
  page.kept = {};
  page.block = block;
  const started = page.started = performance.now();
  const misplaced = misplacement();
  page.swap = misplaced && misplaced.action === "swap" ? misplaced : null;
  delete document.body.dataset.evaluationMs;
  document.body.classList.add("stale");
  setState("running");
  let current;
  try {
    current = await currentFiles();
  } catch (fault) {
    if (!(fault instanceof FileFault)) throw fault;
    current = fault;
  }
  // Cancelled, or another check started, while the files were being found.
  if (started !== page.started || document.body.dataset.state !== "running") return;
  if (current instanceof FileFault) return showFault(current);
  prepareWorker();
  const worker = page.worker = page.spare;
  page.spare = null;
  page.total = current.input.size + current.submission.size;
  // A message that an ended worker had already sent is not this evaluation's.
  worker.onmessage = (event) => {
    if (worker === page.worker) receive(event.data);
  };
  worker.onerror = (event) => {
    event.preventDefault();
    if (worker !== page.worker) return;
    stop();
    setState("error", "The evaluation stopped: " + event.message);
  };
  showProgress(0);
  worker.postMessage({input: current.input, submission: current.submission, block});
}

// Ends the evaluation's worker, if any; the next one is made ready once the page has drawn
// what this one gave, so that neither the processor nor the memory is wanted twice at once.
function stop() {
  if (page.worker) {
    page.worker.terminate();
    page.worker = null;
    whenShown(prepareWorker);
  }
}

function cancel() {
  stop();
  document.body.classList.remove("stale");
  setState("cancelled");
}

function showProgress(bytes) {
  $("progress").value = page.total ? Math.min(1, bytes / page.total) : 1;
  $("state").textContent = "Read " + sizeText(bytes) + " of " + sizeText(page.total) + "…";
}

function receive(message) {
  const fields = message.fields;
  switch (message.kind) {
    case "progress":
      showProgress(message.bytes);
      break;
    case "report":
      document.body.dataset.evaluationMs = Math.round(performance.now() - page.started);
      document.body.dataset.runMs = Math.round(fields.runMs);
      showProgress(page.total);
      page.verdict = fields;
      document.body.classList.remove("stale");
      $("result").hidden = false;
      showVerdict(fields);
      showReport(fields);
      $("state").textContent = latin1(fields.verdict) === "failure" ? "Working out where and why…" : "Drawing…";
      break;
    case "where":
      showWhy(fields, page.verdict, page.swap && {text: page.swap.text, run: swapFiles});
      break;
    case "scene":
    case "lines":
      page.kept[message.kind] = fields;
      break;
    case "done": {
      stop();
      showKept();
      const started = page.started;
      whenShown(() => {
        if (started === page.started) setState("done", "Done in " + seconds(performance.now() - started) + ".");
      });
      break;
    }
    case "error":
      stop();
      if (message.fault) showFault(readFault(["input", "submission"][message.fault.file], message.fault.name));
      else {
        showKept();
        setState("error", "The evaluation stopped: " + message.message);
      }
      break;
  }
}

// The picture and its rectangles' lines, drawn once the worker has ended: its memory (the
// evaluator's, as large as the run needed) is let go before the page takes the picture's.
function showKept() {
  const {scene, lines} = page.kept;
  page.kept = {};
  if (scene) showPicture(scene);
  if (scene && lines) picture.setLines(lines);
}

// Calls `then` once the page has drawn what it was given, so that times count until the page
// is ready to be read.
function whenShown(then) {
  requestAnimationFrame(() => setTimeout(then));
}

const seconds = (ms) => (ms / 1000).toFixed(2) + " s";

function showFault(fault) {
  document.body.classList.remove("stale");
  $("result").hidden = false;
  $("picture").hidden = true;
  $("report-section").hidden = true;
  const again = fault.reason === "changing" ? {label: "Check again", run: () => start()}
      : {label: "Pick the " + FILE_WORDS[fault.which] + " again", run: () => $(fault.which + "-file").click()};
  if (fault.reason !== "changing" && window.showOpenFilePicker) again.run = () => pick(fault.which);
  showFileFault(fault, again);
  setState("error", fault.message);
}

// The report's head, as the worker sent it; the whole report is a Blob, to be saved.
function showReport({report, reportHead, reportLength}) {
  page.report = report;
  $("report-section").hidden = false;
  const head = headLength(reportHead, SHOWN_REPORT.bytes, SHOWN_REPORT.lines);
  const cutInLine = head < reportLength && reportHead[head - 1] !== 10;
  $("report").textContent = shown(reportHead.subarray(0, head), {lineEnds: true}) + (cutInLine ? "…" : "");
  $("report-note").hidden = head === reportLength;
  $("report-note").textContent = "The report has " + countText(reportLength) + " bytes: the first " +
      countText(head) + " are shown. Save it for all of them.";
}

function saveReport() {
  const link = document.createElement("a");
  link.href = URL.createObjectURL(page.report);
  link.download = "report.txt";
  document.body.appendChild(link);
  link.click();
  link.remove();
  setTimeout(() => URL.revokeObjectURL(link.href), 60000);
}

function showPicture(fields) {
  const grid = fields.w > 0;
  $("picture").hidden = !grid;
  if (!grid) return;
  picture.show(fields);
  // The caption's first line is the report's, which stands below.
  const caption = shown(fields.caption, {most: SHOWN_CAPTION, lineEnds: true}).split("\n");
  $("caption").textContent = caption.slice(1).join(" ");
  const failure = latin1(page.verdict.verdict) === "failure";
  $("go-failure").hidden = !failure;
  const blocks = latin1(page.verdict.verdict) === "ok" ? page.verdict.blocks : 0;
  $("blocks").hidden = blocks < 2;
  $("block").max = blocks;
  $("block").value = page.block || 1;
  $("block-count").textContent = countText(blocks);
  showLegend(fields);
  if (failure) goToFailure();
  else $("failure-note").hidden = true;
}

// The failure in view: its cell or row, else the whole grid with the line it names.
function goToFailure() {
  const note = $("failure-note");
  note.hidden = picture.pointsAtCell();
  if (!note.hidden) {
    picture.fit();
    note.textContent = page.verdict.line
        ? "The check names line " + countText(page.verdict.line) + ", not a cell: the verdict above shows that line."
        : "The check names no cell: the whole grid is shown.";
  } else {
    picture.goToFailure();
  }
}

function showLegend(fields) {
  const legend = $("legend");
  legend.textContent = "";
  for (const entry of picture.legend()) {
    const item = document.createElement("li");
    const swatch = document.createElement("span");
    swatch.className = "swatch";
    const colours = entry.colours || [entry.colour];
    swatch.style.background = colours.length > 1
        ? "linear-gradient(90deg," + colours.join(",") + ")" : colours[0];
    if (entry.outline) swatch.style.borderColor = entry.outline;
    item.append(swatch, entry.text);
    legend.appendChild(item);
  }
  if (fields.drawn && fields.drawn.length < fields.meeting) {
    const item = document.createElement("li");
    item.textContent = "Drawn: " + countText(fields.drawn.length) + " of the " + countText(fields.meeting) +
        " rectangles in the grid (more would only paint over the same cells).";
    legend.appendChild(item);
  }
}

// What the line under the picture says until a cell is pointed at: for a mouse, or for fingers.
const POINTER_HELP = window.matchMedia("(pointer: coarse)").matches
    ? "Tap a cell to see it. Two fingers move and zoom the picture; one finger scrolls the page."
    : "Point at a cell to see it. Drag to move; Ctrl + wheel (or the wheel once the picture is " +
      "clicked) zooms; keys: arrows, + and −, 0, f.";

function showPointer(about) {
  const text = $("pointer");
  if (!about) {
    text.textContent = POINTER_HELP;
    return;
  }
  let words = "x = " + about.x + ", y = " + about.y + ": " + about.kind;
  if (about.rectangle) {
    const line = about.text.bytes ? shown(about.text.bytes) + (about.text.cut ? "…" : "") : about.text;
    words += "; rectangle " + about.rectangle + (about.failing ? " (fails the check)" : "") +
             ", line " + about.line + ": " + line;
  }
  text.textContent = words;
}

function chooseBlock(block) {
  const blocks = page.verdict.blocks;
  const wanted = Math.min(Math.max(1, Math.round(block) || 1), blocks);
  if (wanted !== (page.block || 1)) start(wanted);
  else $("block").value = wanted;
}

const picture = new Picture($("canvas"), showPointer, $("zoom-hint"));

function listen() {
  files.onChange = filesChanged;
  listenToFiles();
  showBox("input");
  showBox("submission");
  $("check").addEventListener("click", () => start());
  $("cancel").addEventListener("click", cancel);
  $("save").addEventListener("click", saveReport);
  $("fit").addEventListener("click", () => picture.fit());
  $("zoom-in").addEventListener("click", () => picture.zoom(1.25));
  $("zoom-out").addEventListener("click", () => picture.zoom(0.8));
  $("go-failure").addEventListener("click", goToFailure);
  $("block").addEventListener("change", (event) => chooseBlock(Number(event.target.value)));
  $("block-previous").addEventListener("click", () => chooseBlock((page.block || 1) - 1));
  $("block-next").addEventListener("click", () => chooseBlock((page.block || 1) + 1));
  showPointer(null);
}

listen();
load();
