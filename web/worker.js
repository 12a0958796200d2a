// The page's worker: one evaluation, away from the page so that the page stays responsive.
// The page builds this worker from the module's factory (createZelmiranke), paint.js and this
// script, and hands it first the compiled module with the reader's script (reader.js), then
// the two File objects, so it loads nothing. Messages to the page:
// {kind: "progress", bytes}, then {kind, fields} for "report" (the report as a Blob, with its
// head and length, and runMs, the time from the files to the report), "where", "lines" and
// "scene" (with the picture's bitmap, see paint.js), in this order (see src/web/page_run.cpp
// and src/web/scene_fields.h), then {kind: "done"} or
// {kind: "error", message, fault}, where `fault` names the file that could not be read. The
// page cancels by ending the worker.
//
// The files are read from their start as the evaluator asks for them. Where the browser can
// suspend a WebAssembly call until a promise settles, a reader (reader.js) reads each one ahead
// on a thread of its own while the evaluator works; elsewhere they are read here with
// FileReaderSync, which is slower and leaves each chunk to the garbage collector.
"use strict";

let streams = typeof WebAssembly.Suspending === "function" && typeof WebAssembly.promising === "function";
// Progress messages at most this often, in milliseconds.
const PROGRESS_EVERY = 50;
// The most of the report the page may show, in bytes: the rest goes in a Blob, to be saved, so
// that a report of megabytes never stands in the page's memory.
const REPORT_HEAD = 64 << 10;

// The module's instance, being made as soon as the page hands over the module: the page keeps
// one worker ready, so that an evaluation starts without waiting for it.
let instance = null;
let readerUrl = null;  // the reader's script, to start a reader's worker for each file read
const run = {
  files: [],       // the task input and the submission, as File objects
  readers: [],     // the reader of each file, from its start
  read: [0, 0],    // the bytes read of each file, the furthest any reader got
  fault: null,     // the file that could not be read: {file, name}
  fields: {},      // what the evaluation gives, gathered until it is posted
  started: 0,
  told: 0,
};

self.onmessage = async (event) => {
  if (event.data.module) {
    if (streams) startReader(event.data.reader);
    instance = instantiate(event.data.module);
    return;
  }
  try {
    await evaluate(await instance, event.data);
    postMessage({kind: "done"});
  } catch (error) {
    postMessage({kind: "error", message: String(error && error.message || error), fault: run.fault});
  }
};

// The readers' workers are made here from their script: a worker the page made would be of
// another origin for a page opened from disk. Where none can be made, the files are read here.
function startReader(script) {
  try {
    readerUrl = URL.createObjectURL(new Blob([script], {type: "text/javascript"}));
    new Worker(readerUrl).terminate();
  } catch (error) {
    streams = false;
  }
}

function instantiate(compiled) {
  let exports = null;
  // The module's object: emscripten puts its memory's views on it (HEAPU8).
  const module = {
    instantiateWasm(imports, receive) {
      if (streams) imports.env.zel_read = new WebAssembly.Suspending(imports.env.zel_read);
      WebAssembly.instantiate(compiled, imports).then((made) => {
        exports = made.exports;
        receive(made, compiled);
      });
      return {};
    },
    onField(name, value) {
      run.fields[name] = value;
    },
    onPost(kind) {
      const fields = run.fields;
      run.fields = {};
      if (kind === "report") {
        fields.runMs = performance.now() - run.started;
        fields.reportHead = fields.report.slice(0, REPORT_HEAD);
        fields.reportLength = fields.report.length;
        fields.report = new Blob([fields.report], {type: "text/plain"});
        delete fields.message;  // the explanation says it in words
      }
      if (kind === "scene" && fields.w > 0) Object.assign(fields, paintScene(sceneOf(fields)));
      const buffers = Object.values(fields).filter((value) => value.buffer).map((value) => value.buffer);
      postMessage({kind, fields}, buffers);
    },
    openFile(file) {
      closeReader(file);
      run.readers[file] = streams ? new PieceReader(run.files[file]) : new SyncReader(run.files[file]);
    },
    readFile(file, at, size) {
      const reader = run.readers[file];
      const failed = (error) => {
        run.fault = run.fault || {file, name: error.name};
        return -1;
      };
      const got = (count) => {
        progress(file, reader.offset);
        return count;
      };
      if (streams) return reader.read(module, at, size).then(got, failed);
      try {
        return got(reader.read(module, at, size));
      } catch (error) {
        return failed(error);
      }
    },
  };
  return createZelmiranke(module).then(() => streams ? WebAssembly.promising(exports.zel_run) : exports.zel_run);
}

function progress(file, offset) {
  run.read[file] = Math.max(run.read[file], offset);
  const now = performance.now();
  if (now - run.told >= PROGRESS_EVERY) {
    run.told = now;
    postMessage({kind: "progress", bytes: run.read[0] + run.read[1]});
  }
}

// A file as a reader's worker sends it: its pieces in order, each handed back once copied.
// Each reading of a file has a worker of its own, ended with it: what streaming a file leaves
// to the browser's collectors goes with the worker, so reading a file again and again (where
// and why, the lines) never adds up.
class PieceReader {
  constructor(file) {
    Object.assign(this, {queue: [], waiter: null, piece: null, at: 0, offset: 0, ended: false});
    this.worker = new Worker(readerUrl);
    this.worker.onmessage = ({data}) => this.take(data);
    this.worker.postMessage({file});
  }

  close() {
    this.worker.terminate();
  }

  take(message) {
    this.queue.push(message);
    if (this.waiter) this.waiter();
  }

  next() {
    return new Promise((resolve) => {
      if (this.queue.length) return resolve(this.queue.shift());
      this.waiter = () => {
        this.waiter = null;
        resolve(this.queue.shift());
      };
    });
  }

  async read(module, at, size) {
    let filled = 0;
    while (filled < size && !this.ended) {
      if (!this.piece || this.at === this.piece.length) {
        if (this.piece) this.worker.postMessage({give: this.piece.buffer}, [this.piece.buffer]);
        this.piece = null;
        const message = await this.next();
        if (message.error) throw Object.assign(new Error(message.error), {name: message.error});
        if (message.end) {
          this.ended = true;
          this.close();
          break;
        }
        this.piece = new Uint8Array(message.piece, 0, message.length);
        this.at = 0;
      }
      const count = Math.min(size - filled, this.piece.length - this.at);
      module.HEAPU8.set(this.piece.subarray(this.at, this.at + count), at + filled);
      this.at += count;
      filled += count;
    }
    this.offset += filled;
    return filled;
  }
}

// A file read with FileReaderSync, a slice at a time.
class SyncReader {
  constructor(file) {
    this.file = file;
    this.reader = new FileReaderSync();
    this.offset = 0;
  }

  read(module, at, size) {
    const bytes = this.reader.readAsArrayBuffer(this.file.slice(this.offset, this.offset + size));
    module.HEAPU8.set(new Uint8Array(bytes), at);
    this.offset += bytes.byteLength;
    return bytes.byteLength;
  }
}

function closeReader(file) {
  const reader = run.readers[file];
  if (reader && reader.close) reader.close();
}

async function evaluate(zelRun, {input, submission, block}) {
  Object.assign(run, {files: [input, submission], readers: [], read: [0, 0], fault: null, fields: {},
                      started: performance.now(), told: 0});
  try {
    if ((await zelRun(block)) !== 0) {
      throw new Error(run.fault ? "a file could not be read again" : "not enough memory to prepare the picture");
    }
  } finally {
    closeReader(0);
    closeReader(1);
  }
  if (run.fault) throw new Error("a file could not be read");
}
