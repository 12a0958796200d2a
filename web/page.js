// The page: the user picks or drops the task input and the submission, a worker (worker.js)
// evaluates them with the evaluator compiled to WebAssembly, and the page shows the report as
// written, the verdict in words (CHECK_WORDS, made from docs/checks.md) and the picture
// (picture.js). The page's own files are all it loads: the module is compiled once, and every
// worker is made from a Blob of scripts read at start, so nothing is fetched after that. No
// cookie, no storage: the files live only in the page's memory.
"use strict";

const page = {
  module: null,
  workerUrl: null,
  worker: null,
  spare: null,  // a worker with the module ready, for the next evaluation
  files: {input: null, submission: null},
  total: 0,
  started: 0,
  report: null,
  verdict: null,
  block: 0,
};
const $ = (id) => document.getElementById(id);
// The report is shown up to this many bytes; saving it gives all of it.
const SHOWN_REPORT = 1 << 20;

// Words the checks table has no row for.
const VERDICT_WORDS = {
  ok: {
    title: "OK: the submission passes",
    text: "Every block's rectangles lie in the grid, keep to the size limit, cover no white " +
          "cell and together cover every black cell.",
  },
  unexpected: {
    title: "Unexpected error",
    text: "The evaluation could not finish: a file could not be read, or memory ran out. " +
          "It says nothing about the submission; try again, and tell the organizers if it stays.",
    party: "the grading setup, not the contestant",
  },
};

// Bytes as text: printable ASCII as it is, every other byte as \xHH (line ends too unless
// `lineEnds`), as the SVG picture shows the files' bytes.
const BYTE_TEXT = Array.from({length: 256}, (_, byte) =>
  byte >= 0x20 && byte < 0x7f ? String.fromCharCode(byte)
                              : "\\x" + byte.toString(16).toUpperCase().padStart(2, "0"));
function shown(bytes, lineEnds = false) {
  const parts = new Array(bytes.length);
  for (let i = 0; i < bytes.length; ++i) {
    parts[i] = lineEnds && bytes[i] === 10 ? "\n" : BYTE_TEXT[bytes[i]];
  }
  return parts.join("");
}
// One character a byte, for matching a message against its template.
function latin1(bytes) {
  let text = "";
  for (let i = 0; i < bytes.length; i += 8192) {
    text += String.fromCharCode.apply(null, bytes.subarray(i, i + 8192));
  }
  return text;
}
const bytesOf = (text) => Uint8Array.from(text, (c) => c.charCodeAt(0));

async function fetchOwn(name, as) {
  const response = await fetch(name);
  if (!response.ok) throw new Error(name + ": " + response.status);
  return response[as]();
}

async function load() {
  let files;
  try {
    files = await Promise.all([
      fetchOwn("zelmiranke-web.wasm", "arrayBuffer"),
      fetchOwn("zelmiranke-web.js", "text"),
      fetchOwn("worker.js", "text"),
    ]);
  } catch (error) {
    setState("broken", "The page could not load its own files (" + error.message + "). Open it " +
             "from a web server, for example python3 -m http.server in its folder, not as a file.");
    return;
  }
  const [wasm, factory, worker] = files;
  try {
    page.module = await WebAssembly.compile(wasm);
  } catch (error) {
    setState("broken", "This browser cannot run the evaluator (" + error.message + "): it needs " +
             "Chrome or Edge 95, Firefox 100, Safari 16.4 or newer.");
    return;
  }
  page.workerUrl = URL.createObjectURL(new Blob([factory, "\n", worker], {type: "text/javascript"}));
  prepareWorker();
  setState("ready");
}

function setState(state, text) {
  document.body.dataset.state = state;
  const ready = page.module && page.files.input && page.files.submission;
  const words = {
    ready: ready ? "Ready." : "Pick the task input and the submission.",
    running: "Reading the files…",
    done: "Done.",
    cancelled: "Cancelled.",
  };
  $("state").textContent = text || words[state] || "";
  $("check").disabled = !ready || state === "running";
  $("cancel").disabled = state !== "running";
}

function chooseFile(which, file) {
  page.files[which] = file;
  $(which + "-name").textContent = file ? file.name + " (" + sizeText(file.size) + ")" : "";
  page.block = 0;
  if (page.files.input && page.files.submission && page.module) start();
  else setState(document.body.dataset.state === "broken" ? "broken" : "ready");
}

// Two files dropped together: the task input is the one that starts with the task's name.
async function chooseDropped(files) {
  if (files.length !== 2) return;
  const heads = await Promise.all(Array.from(files, (file) => file.slice(0, 10).text()));
  const first = heads[0] === "Zelmiranke" ? 0 : 1;
  page.files.input = null;
  chooseFile("submission", files[1 - first]);
  chooseFile("input", files[first]);
}

function sizeText(bytes) {
  if (bytes < 1e3) return bytes + " B";
  if (bytes < 1e6) return (bytes / 1e3).toFixed(1) + " kB";
  if (bytes < 1e9) return (bytes / 1e6).toFixed(1) + " MB";
  return (bytes / 1e9).toFixed(2) + " GB";
}

function prepareWorker() {
  if (!page.spare) {
    page.spare = new Worker(page.workerUrl);
    page.spare.postMessage({module: page.module});
  }
}

function start(block = 0) {
  if (page.worker) {
    page.worker.terminate();
  }
  prepareWorker();
  page.worker = page.spare;
  page.spare = null;
  page.block = block;
  page.total = page.files.input.size + page.files.submission.size;
  // A message that an ended worker had already sent is not this evaluation's.
  const worker = page.worker;
  worker.onmessage = (event) => {
    if (worker === page.worker) receive(event.data);
  };
  worker.onerror = (event) => {
    event.preventDefault();
    if (worker !== page.worker) return;
    stop();
    setState("error", "The evaluation stopped: " + event.message);
  };
  page.started = performance.now();
  delete document.body.dataset.evaluationMs;
  showProgress(0);
  $("result").hidden = true;
  if (!block) $("picture").hidden = true;
  setState("running");
  page.worker.postMessage({input: page.files.input, submission: page.files.submission, block});
}

// Ends the evaluation's worker, if any; the next one is made ready once this evaluation no
// longer needs the processor.
function stop() {
  if (page.worker) {
    page.worker.terminate();
    page.worker = null;
    setTimeout(prepareWorker);
  }
}

function cancel() {
  stop();
  setState("cancelled");
}

function showProgress(bytes) {
  $("progress").value = page.total ? Math.min(1, bytes / page.total) : 1;
  $("state").textContent = "Read " + sizeText(bytes) + " of " + sizeText(page.total) + "…";
}

function receive(message) {
  switch (message.kind) {
    case "progress":
      showProgress(message.bytes);
      break;
    case "report":
      document.body.dataset.evaluationMs = Math.round(performance.now() - page.started);
      document.body.dataset.runMs = Math.round(message.fields.runMs);
      showProgress(page.total);
      showReport(message.fields);
      showVerdict(message.fields);
      break;
    case "scene":
      showPicture(message.fields);
      break;
    case "lines":
      picture.setLines(message.fields);
      break;
    case "done":
      stop();
      setState("done", "Done in " + (document.body.dataset.evaluationMs / 1000).toFixed(2) + " s.");
      break;
    case "error":
      stop();
      setState("error", "The evaluation stopped: " + message.message);
      break;
  }
}

function showReport(fields) {
  page.report = fields.report;
  page.verdict = fields;
  const report = fields.report;
  $("report").textContent = shown(report.subarray(0, SHOWN_REPORT), true);
  $("report-note").hidden = report.length <= SHOWN_REPORT;
  $("report-note").textContent = "The report has " + report.length + " bytes: the first " +
      SHOWN_REPORT + " are shown; save it for all of them.";
  $("result").hidden = false;
}

function saveReport() {
  const link = document.createElement("a");
  link.href = URL.createObjectURL(new Blob([page.report], {type: "text/plain"}));
  link.download = "report.txt";
  document.body.appendChild(link);
  link.click();
  link.remove();
  setTimeout(() => URL.revokeObjectURL(link.href), 60000);
}

// The values of a template's blanks ({name}) in a message, as shown text. A message that a zero
// byte cut short lacks the end of its template: then the last blank takes the rest.
function templateValues(template, message) {
  const parts = template.split(/\{(\w+)\}/);  // text, name, text, name, ..., text
  const literal = (text) => text.replace(/[.*+?^${}()|[\]\\]/g, "\\$&");
  const head = parts.slice(0, -1).map((part, i) => (i % 2 ? "([\\s\\S]*?)" : literal(part))).join("");
  const match = new RegExp("^" + head + literal(parts[parts.length - 1]) + "$").exec(message) ||
                new RegExp("^" + head + "$").exec(message);
  const values = {};
  if (match) {
    parts.filter((_, i) => i % 2).forEach((name, i) => { values[name] = shown(bytesOf(match[i + 1])); });
  }
  return values;
}

// The English of the failure: the check's English line and its fix with their blanks filled
// from the message (matched against the Slovene template) or from where the check points.
function failureWords(fields) {
  const words = CHECK_WORDS[fields.check];
  if (!words) return {title: "Check " + fields.check, text: shown(fields.message)};
  const values = Object.assign({n: fields.line, k: fields.rectangle, x: fields.cell && fields.cell[0],
                                y: fields.cell && fields.cell[1]},
                               templateValues(words.template, latin1(fields.message)));
  const fill = (text, unknown) => text.replace(/\{(\w+)\}/g, (blank, name) =>
    values[name] !== undefined ? String(values[name]) : unknown === undefined ? blank : unknown);
  const english = fill(words.english, "…");
  return {
    title: "Check " + fields.check + " failed",
    text: english.charAt(0).toUpperCase() + english.slice(1) + ".",
    party: words.party + " (in the " + words.file + ")",
    fix: fill(words.fix),
  };
}

function showVerdict(fields) {
  const verdict = latin1(fields.verdict);
  const words = verdict === "failure" ? failureWords(fields) : VERDICT_WORDS[verdict];
  $("verdict").className = verdict;
  $("verdict-title").textContent = words.title;
  $("verdict-text").textContent = words.text;
  if (verdict === "ok") {
    $("verdict-text").textContent += " Blocks: " + fields.blocks + ".";
  }
  $("verdict-party").textContent = words.party ? "At fault: " + words.party + "." : "";
  showCode($("verdict-fix"), words.fix ? "How to fix: " + words.fix : "");
}

// Text with `code` spans, as docs/checks.md writes them.
function showCode(element, text) {
  element.textContent = "";
  text.split("`").forEach((part, i) => {
    const node = i % 2 ? document.createElement("code") : document.createTextNode(part);
    if (i % 2) node.textContent = part;
    element.appendChild(node);
  });
}

function showPicture(fields) {
  $("picture").hidden = false;
  const grid = fields.w > 0;
  $("canvas").hidden = !grid;
  picture.show(fields);
  $("caption").textContent = "";
  for (const line of latin1(fields.caption).split("\n")) {
    const row = document.createElement("div");
    row.textContent = shown(bytesOf(line));
    $("caption").appendChild(row);
  }
  $("go-failure").disabled = !grid || latin1(page.verdict.verdict) !== "failure";
  for (const id of ["fit", "zoom-in", "zoom-out"]) $(id).disabled = !grid;
  const blocks = latin1(page.verdict.verdict) === "ok" ? page.verdict.blocks : 0;
  $("blocks").hidden = blocks < 2;
  $("block").max = blocks;
  $("block").value = page.block || 1;
  $("block-count").textContent = blocks;
  showLegend(fields);
  if (grid && !$("go-failure").disabled) picture.goToFailure();
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
    item.textContent = "Drawn: " + fields.drawn.length + " of the " + fields.meeting +
        " rectangles in the grid (more would only paint over the same cells).";
    legend.appendChild(item);
  }
}

function showPointer(about) {
  const text = $("pointer");
  if (!about) {
    text.textContent = "Drag to move, wheel to zoom; keys: arrows, + and −, 0 for the whole grid, " +
                       "f for the failure.";
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

const picture = new Picture($("canvas"), showPointer);

function listen() {
  for (const which of ["input", "submission"]) {
    $(which + "-file").addEventListener("change", (event) => chooseFile(which, event.target.files[0]));
    const zone = $("drop-" + which);
    zone.addEventListener("dragover", (event) => { event.preventDefault(); zone.classList.add("over"); });
    zone.addEventListener("dragleave", () => zone.classList.remove("over"));
    zone.addEventListener("drop", (event) => {
      event.preventDefault();
      event.stopPropagation();
      zone.classList.remove("over");
      if (event.dataTransfer.files.length === 1) chooseFile(which, event.dataTransfer.files[0]);
      else chooseDropped(event.dataTransfer.files);
    });
  }
  document.addEventListener("dragover", (event) => event.preventDefault());
  document.addEventListener("drop", (event) => {
    event.preventDefault();
    chooseDropped(event.dataTransfer.files);
  });
  $("check").addEventListener("click", () => start());
  $("cancel").addEventListener("click", cancel);
  $("save").addEventListener("click", saveReport);
  $("fit").addEventListener("click", () => picture.fit());
  $("zoom-in").addEventListener("click", () => picture.zoom(1.25));
  $("zoom-out").addEventListener("click", () => picture.zoom(0.8));
  $("go-failure").addEventListener("click", () => picture.goToFailure());
  $("block").addEventListener("change", (event) => chooseBlock(Number(event.target.value)));
  $("block-previous").addEventListener("click", () => chooseBlock((page.block || 1) - 1));
  $("block-next").addEventListener("click", () => chooseBlock((page.block || 1) + 1));
}

listen();
load();
