#!/usr/bin/env bash
# Prints line and branch coverage of each layer of src/ from a build made with ZEL_COVERAGE
# after its tests ran, the core (eval) last. Branches the compiler adds for exceptions are
# left out: every throw of the core ends in the one failure report and is tested as such.
#   tests/coverage.sh BUILD_DIR
set -euo pipefail
build=$1
root=$(cd "$(dirname "$0")/.." && pwd)
command -v gcovr >/dev/null || { echo "make coverage needs gcovr (Debian package gcovr)"; exit 1; }
# Notes of sources that are gone (renamed or deleted since the build folder was made) would
# stand for files that no longer exist: an object's notes lie at
# BUILD/<folder>/CMakeFiles/<target>.dir/<source>.gcno for <folder>/<source>.
while IFS= read -r notes; do
  relative=${notes#"$build"/}
  source=${relative%%CMakeFiles/*}${relative#*CMakeFiles/*.dir/}
  [ -f "$root/${source%.gcno}" ] || rm -f "$notes" "${notes%.gcno}.o"
done < <(find "$build" -name '*.gcno')
# The layers built here (the page's layer is built only with emscripten), the core last.
layers=()
for dir in "$root"/src/*/; do
  name=$(basename "$dir")
  [ "$name" = eval ] && continue
  find "$build/src/$name" -name '*.gcno' 2>/dev/null | grep -q . && layers+=("$name")
done
layers+=(eval)
# Only the build folder is searched for counters: by default gcovr also walks the root, where
# the Windows build's Wine prefix links its drive Z: to / and so leads through the whole machine.
for layer in "${layers[@]}"; do
  gcovr --root "$root" --object-directory "$build" --filter "$root/src/$layer/" \
    --exclude-throw-branches --exclude-unreachable-branches --print-summary \
    -o "$build/coverage-$layer.txt" "$build" |
    awk -v layer="$layer" '
      /^lines:/ { lines = $2 }
      /^branches:/ { branches = $2 }
      END { printf "%s: lines %s, branches %s\n", layer, lines, branches }'
done
