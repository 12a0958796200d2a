#!/usr/bin/env bash
# Builds Ozi18Zelmiranke.exe with MinGW-w64 and runs the golden cases against it under Wine,
# expecting the same reports with CR LF line ends. Says so and succeeds when MinGW or Wine is
# missing.
#   tests/windows.sh BUILD_DIR
set -euo pipefail
mkdir -p "$1"
build=$(cd "$1" && pwd)
root=$(cd "$(dirname "$0")/.." && pwd)
wine=/usr/lib/wine/wine64
wineserver=/usr/lib/wine/wineserver64
[ -x "$wineserver" ] || wineserver=/usr/lib/wine/wineserver
if ! command -v x86_64-w64-mingw32-g++-posix >/dev/null || [ ! -x "$wine" ] || [ ! -x "$wineserver" ]; then
  echo "SKIPPED the Windows suite: MinGW-w64 (g++-mingw-w64-x86-64) or Wine (wine, wine64) is not installed"
  exit 0
fi
generator=()
command -v ninja >/dev/null && generator=(-G Ninja)
cmake -S "$root" -B "$build" "${generator[@]}" -DCMAKE_TOOLCHAIN_FILE="$root/cmake/mingw-w64-x86_64.cmake" \
  -DCMAKE_BUILD_TYPE=Release -DZEL_UNIT_TESTS=OFF -DZEL_TEST_EMULATOR="$wine" -DZEL_LINE_END=crlf >/dev/null
cmake --build "$build" -j "$(nproc)"

export WINEPREFIX=$build/wineprefix WINEDEBUG=-all
# A fresh prefix is made once, then one persistent wineserver serves the whole suite:
# starting one per case costs seconds each.
[ -d "$WINEPREFIX" ] || "$wine" wineboot --init >/dev/null 2>&1 || true
"$wineserver" -w
"$wineserver" -p
trap '"$wineserver" -k || true' EXIT
cd "$build"
ctest --output-on-failure -j "$(nproc)"
