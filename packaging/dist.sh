#!/usr/bin/env bash
# Builds what is handed to grading machines into dist/ (make dist): every program of the
# project for Linux x86-64 (static, stripped) and for Windows (static .exe), the Debian package,
# the page that checks a submission in the browser as a zip (ozi18zelmiranke_<version>_web.zip)
# and SHA256SUMS. The programs are whatever the two builds install, so a program added to the
# project ships without a change here. The golden cases run against the Linux binary first:
# nothing is published that gives another report than the regular build.
set -euo pipefail
repo=$(cd "$(dirname "$0")/.." && pwd)
out=$repo/dist
build=$repo/build/dist
jobs=${JOBS:-2}
generator=()
command -v ninja >/dev/null && generator=(-G Ninja)

die() {
  echo "make dist: $*" >&2
  exit 1
}
command -v x86_64-w64-mingw32-g++-posix >/dev/null ||
  die "the Windows programs need MinGW-w64 (Debian package g++-mingw-w64-x86-64)"
command -v file >/dev/null || die "the checks need file (Debian package file)"

cmake -S "$repo" -B "$build/linux" "${generator[@]}" -DCMAKE_BUILD_TYPE=Release \
  -DCMAKE_CXX_COMPILER=g++ -DZEL_STATIC=ON -DZEL_UNIT_TESTS=OFF >/dev/null
cmake --build "$build/linux" -j "$jobs"
echo "== golden cases against the static Linux build"
(cd "$build/linux" && ctest -j "$jobs" --output-on-failure)

cmake -S "$repo" -B "$build/windows" "${generator[@]}" \
  -DCMAKE_TOOLCHAIN_FILE="$repo/cmake/mingw-w64-x86_64.cmake" -DCMAKE_BUILD_TYPE=Release \
  -DZEL_STATIC=ON -DZEL_TESTS=OFF >/dev/null
cmake --build "$build/windows" -j "$jobs"

# The page and the evaluator as a Node.js command, with the golden cases under Node.js (and the
# page's own tests, skipped without Chromium).
command -v emcmake >/dev/null || die "the page needs emscripten (Debian package emscripten)"
NODE_PATH=/usr/share/nodejs emcmake cmake -S "$repo" -B "$build/web" "${generator[@]}" \
  -DCMAKE_BUILD_TYPE=Release -DZEL_UNIT_TESTS=OFF -DZEL_TEST_EMULATOR=node \
  -DZEL_WEB_OUTPUT="$build/web/page" >/dev/null
NODE_PATH=/usr/share/nodejs cmake --build "$build/web" -j "$jobs"
echo "== golden cases against the Node.js command, and the page"
(cd "$build/web" && ctest -j "$jobs" --output-on-failure)

rm -rf "$build/stage" "$build/package"
cmake --install "$build/linux" --prefix "$build/stage/linux" >/dev/null
cmake --install "$build/windows" --prefix "$build/stage/windows" >/dev/null
(cd "$build/linux" && cpack -G DEB -B "$build/package" >/dev/null)

rm -rf "$out"
mkdir "$out"
cp "$build/stage/linux/bin/"* "$build/stage/windows/bin/"* "$build/package/"*.deb "$out/"
version=$(sed -n 's/^CMAKE_PROJECT_VERSION:STATIC=//p' "$build/linux/CMakeCache.txt")
web=ozi18zelmiranke_${version}_web
python3 "$repo/packaging/zip_web.py" "$build/web/page" "$out/$web.zip" "$web"

echo "== checks of the shipped files"
# A program that loads anything at run time fails on a worker whose libraries differ.
for program in "$build/stage/linux/bin/"*; do
  name=${program##*/}
  description=$(file -b "$out/$name")
  readelf -d "$out/$name" | grep -q "There is no dynamic section" ||
    die "$name has a dynamic section: $description"
  case $description in
    *"ELF 64-bit"*x86-64*"statically linked"*stripped*) echo "$name: $description" ;;
    *) die "$name is not a stripped static x86-64 executable: $description" ;;
  esac
done
# Only DLLs that come with every Windows, none of the MinGW runtime.
for program in "$build/stage/windows/bin/"*; do
  name=${program##*/}
  while read -r dll; do
    case ${dll,,} in
      kernel32.dll | msvcrt.dll | advapi32.dll | user32.dll | shell32.dll | ws2_32.dll) ;;
      *) die "$name needs $dll, which Windows does not have" ;;
    esac
  done < <(x86_64-w64-mingw32-objdump -p "$out/$name" | sed -n 's/^\s*DLL Name: //p')
  echo "$name: $(file -b "$out/$name")"
done
if command -v groff >/dev/null; then
  for page in "$build/linux/"*.1; do
    warnings=$(groff -t -man -Tutf8 -ww -z "$page" 2>&1)
    [ -z "$warnings" ] || die "the manual page ${page##*/} has roff faults: $warnings"
    echo "manual page ${page##*/}: no roff warnings"
  done
else
  echo "manual pages: not checked (groff is not installed)"
fi

(cd "$out" && files=(*) && sha256sum -- "${files[@]}" > SHA256SUMS)
echo "== $out"
(cd "$out" && ls -l --time-style=+ -- *)
