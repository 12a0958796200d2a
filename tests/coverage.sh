#!/usr/bin/env bash
# Prints line and branch coverage of each layer of src/ from a build made with ZEL_COVERAGE
# after its tests ran, the core (eval) last. Branches the compiler adds for exceptions are
# left out: every throw of the core ends in the one failure report and is tested as such.
#   tests/coverage.sh BUILD_DIR
set -euo pipefail
build=$1
root=$(cd "$(dirname "$0")/.." && pwd)
command -v gcovr >/dev/null || { echo "make coverage needs gcovr (Debian package gcovr)"; exit 1; }
layers=()
for dir in "$root"/src/*/; do
  name=$(basename "$dir")
  [ "$name" = eval ] || layers+=("$name")
done
layers+=(eval)
for layer in "${layers[@]}"; do
  gcovr --root "$root" --object-directory "$build" --filter "$root/src/$layer/" \
    --exclude-throw-branches --exclude-unreachable-branches --print-summary \
    -o "$build/coverage-$layer.txt" |
    awk -v layer="$layer" '
      /^lines:/ { lines = $2 }
      /^branches:/ { branches = $2 }
      END { printf "%s: lines %s, branches %s\n", layer, lines, branches }'
done
