# The WebAssembly build, made with Debian's emscripten (make web): the libraries of the native
# build compiled once more, linked into the page's module (src/web) and into the programs as
# Node.js commands. Everything that is served or shipped lands in ZEL_WEB_OUTPUT.
set(ZEL_WEB_OUTPUT ${CMAKE_BINARY_DIR}/web CACHE PATH "Folder of the page and the Node.js command")

# The checks fail by throwing; WebAssembly's own exceptions cost nothing until one is thrown,
# where emscripten's default would route every call that may throw through JavaScript.
add_compile_options(-fwasm-exceptions)
# WebAssembly's 128-bit vectors stand in for SSE2, so the picture rows are checked 16 cells at a
# time as in the native build (every browser since 2023 has them).
add_compile_options(-msimd128 -msse2)
# memset and memcpy as single instructions: as loops they took more than half of the
# evaluation's own time in Chromium (the coverage check clears a grid per block).
add_compile_options(-mbulk-memory)
add_link_options(-mbulk-memory)
# A run may need more memory than it starts with: up to all that 32-bit WebAssembly can address.
add_link_options(-fwasm-exceptions -sALLOW_MEMORY_GROWTH=1 -sMAXIMUM_MEMORY=4GB)
