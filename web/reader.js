// The reader: a worker of the evaluation's worker (worker.js) that reads one file ahead while
// the evaluator works, on a thread of its own, and is ended once that reading is over. The file
// is read in pieces of PIECE bytes, a few at once (a browser reads several parts of a file
// faster than one after the other), each into a buffer of a small pool that the evaluation's
// worker hands back once it has copied it: so memory does not grow with the file. Messages
// from the evaluation's worker: {file} starts reading the file from its first byte, {give}
// hands a buffer back. To it, in the file's order: {piece, length}, then {end: true}, or
// {error} with the error's name when the file cannot be read.
"use strict";

// Each piece costs the browser a start of its own, so pieces are large; the pool's bytes count
// in the page's memory while a check runs. Tuned on make bench-web's `long` (479 MB): the page
// took 1,416 ms with 4 pieces of 1 MiB, 996 ms with these, 899 ms with 3 of 4 MiB. The pool
// adds to what the browser's first check costs once (some 20 to 25 MiB): with these, that check
// of a large file grew the page by 50 to 52 MiB, with 3 of 4 MiB by up to 55
// (tests/web/limits_test.py allows 64).
const PIECE = 3 << 20;
// The buffers of each file: how many pieces are read at once, or wait to be taken.
const POOL = 3;

// The file being read, the next byte to read, the pieces being read in order, the buffers free.
let slot = null;

self.onmessage = ({data}) => {
  if (data.file) slot = {file: data.file, next: 0, order: [], free: [], made: 0};
  else slot.free.push(data.give);
  pump();
};

// Starts reading the next pieces while buffers are free, and sends the first one once it is read.
function pump() {
  if (slot.failed) return;
  while (slot.next < slot.file.size && (slot.free.length || slot.made < POOL)) {
    const start = slot.next;
    slot.next = Math.min(slot.file.size, start + PIECE);
    const buffer = slot.free.pop() || (++slot.made, new ArrayBuffer(slot.next - start));
    slot.order.push(readInto(slot.file.slice(start, slot.next), buffer));
  }
  if (slot.waiting) return;
  if (slot.order.length) send();
  else if (slot.next >= slot.file.size && !slot.ended) {
    slot.ended = true;
    postMessage({end: true});
  }
}

function send() {
  slot.waiting = true;
  slot.order[0].then(({buffer, length}) => {
    slot.order.shift();
    slot.waiting = false;
    postMessage({piece: buffer, length}, [buffer]);
    pump();
  }, (error) => {
    if (!slot.failed) postMessage({error: error.name || "Error"});
    slot.failed = true;
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
