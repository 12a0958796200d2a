// The reader: a worker of the evaluation's worker (worker.js) that reads the files ahead while
// the evaluator works, on a thread of its own. Each file is read in pieces of PIECE bytes, a few
// at once (a browser reads several parts of a file faster than one after the other), each into
// a buffer of a small pool that the evaluation's worker hands back once it has copied it: so
// memory does not grow with the file. Messages from the evaluation's worker: {open, file,
// generation} starts file `open` (0 the task input, 1 the submission) from its first byte,
// {give, open, generation} hands a buffer back. To it, in the file's order: {open, generation,
// piece, length}, then {open, generation, end: true}, or {open, generation, error} with the
// error's name when the file cannot be read.
"use strict";

const PIECE = 1 << 20;
// The buffers of each file: how many pieces are read at once, or wait to be taken.
const POOL = 4;

const slots = [];

self.onmessage = ({data}) => {
  if (data.file) {
    const slot = slots[data.open];
    if (slot) slot.cancelled = true;
    slots[data.open] = {file: data.file, generation: data.generation, next: 0, order: [], free: [], made: 0};
  } else {
    const slot = slots[data.open];
    if (!slot || slot.generation !== data.generation) return;
    slot.free.push(data.give);
  }
  pump(data.open);
};

// Starts reading the next pieces while buffers are free, and sends the first one once it is read.
function pump(open) {
  const slot = slots[open];
  if (slot.cancelled) return;
  while (slot.next < slot.file.size && (slot.free.length || slot.made < POOL)) {
    const start = slot.next;
    slot.next = Math.min(slot.file.size, start + PIECE);
    const buffer = slot.free.pop() || (++slot.made, new ArrayBuffer(slot.next - start));
    slot.order.push(readInto(slot.file.slice(start, slot.next), buffer));
  }
  if (slot.waiting) return;
  if (slot.order.length) send(open, slot);
  else if (slot.next >= slot.file.size && !slot.ended) {
    slot.ended = true;
    postMessage({open, generation: slot.generation, end: true});
  }
}

function send(open, slot) {
  slot.waiting = true;
  slot.order[0].then(({buffer, length}) => {
    if (slot.cancelled) return;
    slot.order.shift();
    slot.waiting = false;
    postMessage({open, generation: slot.generation, piece: buffer, length}, [buffer]);
    pump(open);
  }, (error) => {
    if (!slot.cancelled) postMessage({open, generation: slot.generation, error: error.name || "Error"});
    slot.cancelled = true;
  });
}

// Reads all of `blob` into `buffer`: through the buffer itself where the browser's file streams
// take one, else copied from a buffer of its own.
async function readInto(blob, buffer) {
  let reader;
  try {
    reader = blob.stream().getReader({mode: "byob"});
  } catch (error) {
    new Uint8Array(buffer).set(new Uint8Array(await blob.arrayBuffer()));
    return {buffer, length: blob.size};
  }
  let length = 0;
  while (length < blob.size) {
    const {value, done} = await reader.read(new Uint8Array(buffer, length, blob.size - length));
    if (done) break;
    buffer = value.buffer;
    length += value.length;
  }
  return {buffer, length};
}
