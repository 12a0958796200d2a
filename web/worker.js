// The page's worker: one evaluation, away from the page so that the page stays responsive.
// The page builds this worker from this script and the module's factory (createZelmiranke),
// and hands it first the compiled module, then the two File objects, so it loads nothing.
// The files are mounted at /files through the worker file system, which reads each chunk the
// evaluator asks for with FileReaderSync. Messages to the page: {kind: "progress", bytes},
// then {kind, fields} for "report" (with runMs, the time from the files to the report),
// "scene" and "lines" (see src/web/scene_fields.h), then
// {kind: "done"} or {kind: "error", message}. The page cancels by ending the worker.
"use strict";

// The module's instance, being made as soon as the page hands over the module: the page keeps
// one worker ready, so that an evaluation starts without waiting for it.
let instance = null;
// What the evaluation gives, gathered until it is posted.
let fields = {};
let told = 0;
let started = 0;

self.onmessage = async (event) => {
  if (event.data.module) {
    instance = instantiate(event.data.module);
    return;
  }
  try {
    await evaluate(await instance, event.data);
    postMessage({kind: "done"});
  } catch (error) {
    postMessage({kind: "error", message: String(error && error.message || error)});
  }
};

// Progress messages at most this often, in milliseconds.
const PROGRESS_EVERY = 50;

function instantiate(module) {
  return createZelmiranke({
    instantiateWasm(imports, receive) {
      WebAssembly.instantiate(module, imports).then((made) => receive(made, module));
      return {};
    },
    onField(name, value) {
      fields[name] = value;
    },
    onPost(kind) {
      if (kind === "report") fields.runMs = performance.now() - started;
      const buffers = Object.values(fields).filter((value) => value.buffer).map((value) => value.buffer);
      postMessage({kind, fields}, buffers);
      fields = {};
    },
    onProgress(bytes) {
      const now = performance.now();
      if (now - told >= PROGRESS_EVERY) {
        told = now;
        postMessage({kind: "progress", bytes});
      }
    },
  });
}

function evaluate(zelmiranke, {input, submission, block}) {
  started = performance.now();
  const fs = zelmiranke.FS;
  fs.mkdir("/files");
  fs.mount(fs.filesystems.WORKERFS, {
    blobs: [{name: "input", data: input}, {name: "submission", data: submission}],
  }, "/files");
  if (zelmiranke._zel_run(block) !== 0) {
    throw new Error("not enough memory to prepare the picture");
  }
}
