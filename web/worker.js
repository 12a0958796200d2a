// The page's worker: one evaluation, away from the page so that the page stays responsive.
// The page builds this worker from this script and the module's factory (createZelmiranke),
// and hands it the compiled module and the two File objects, so the worker loads nothing.
// The files are mounted at /files through the worker file system, which reads each chunk the
// evaluator asks for with FileReaderSync. Messages to the page: {kind: "progress", bytes},
// then {kind, fields} for "report", "scene" and "lines" (see src/web/scene_fields.h), then
// {kind: "done"} or {kind: "error", message}. The page cancels by ending the worker.
"use strict";

self.onmessage = async (event) => {
  try {
    await evaluate(event.data);
    postMessage({kind: "done"});
  } catch (error) {
    postMessage({kind: "error", message: String(error && error.message || error)});
  }
};

// Progress messages at most this often, in milliseconds.
const PROGRESS_EVERY = 50;

async function evaluate({module, input, submission, block}) {
  let fields = {};
  let told = 0;
  const zelmiranke = await createZelmiranke({
    instantiateWasm(imports, receive) {
      WebAssembly.instantiate(module, imports).then((instance) => receive(instance, module));
      return {};
    },
    onField(name, value) {
      fields[name] = value;
    },
    onPost(kind) {
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
  const fs = zelmiranke.FS;
  fs.mkdir("/files");
  fs.mount(fs.filesystems.WORKERFS, {
    blobs: [{name: "input", data: input}, {name: "submission", data: submission}],
  }, "/files");
  if (zelmiranke._zel_run(block) !== 0) {
    throw new Error("not enough memory to prepare the picture");
  }
}
