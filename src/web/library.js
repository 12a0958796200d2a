// The functions the page's WebAssembly module imports (src/web/page_run.cpp). They hand what
// the evaluation gives to the worker (web/worker.js) through hooks it sets on the module:
// onField(name, value) and onPost(kind), and they read the files through its hooks
// openFile(file) and readFile(file, at, size), which fills the module's memory from `at` on.
// readFile returns a promise where the worker reads the files as streams: the worker then
// makes zel_read an import that suspends the module until the bytes are there. Arrays are
// copied out of the module's memory, which the next run may reuse.
mergeInto(LibraryManager.library, {
  zel_number: function(name, nameLength, value) {
    Module['onField'](UTF8ToString(name, nameLength), value);
  },
  zel_bytes: function(name, nameLength, bytes, length) {
    bytes >>>= 0;
    Module['onField'](UTF8ToString(name, nameLength), HEAPU8.slice(bytes, bytes + (length >>> 0)));
  },
  zel_ints: function(name, nameLength, values, count) {
    var first = (values >>> 0) / 4;
    Module['onField'](UTF8ToString(name, nameLength), HEAP32.slice(first, first + (count >>> 0)));
  },
  zel_numbers: function(name, nameLength, values, count) {
    var first = (values >>> 0) / 8;
    Module['onField'](UTF8ToString(name, nameLength), HEAPF64.slice(first, first + (count >>> 0)));
  },
  zel_post: function(kind, kindLength) {
    Module['onPost'](UTF8ToString(kind, kindLength));
  },
  zel_open: function(file) {
    Module['openFile'](file);
  },
  zel_read: function(file, buffer, size) {
    return Module['readFile'](file, buffer >>> 0, size);
  },
});
