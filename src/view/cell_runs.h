// The cells of a scene as horizontal runs, row by row: black cells, black cells that no
// rectangle covers (left uncovered at the block's end, or not reached before a failure stopped
// it), and cells of rows that were not read; every other cell is white. The picture draws one
// element per run, and its size is reckoned by counting the same runs.
#pragma once

#include <cstdint>
#include <functional>

#include "view/cover_map.h"
#include "view/region.h"
#include "view/scene.h"

// The kinds of cell a picture shows. The page gets the cells by these codes (legend.h names
// them); a run is of any kind but white.
enum class CellKind : std::uint8_t { kWhite, kBlack, kUncovered, kUnread, kNotReached };

// Calls `take(kind, x, y, length)` for every run inside `region`; `cover` may be null when
// the scene shows no uncovered cells. An uncovered or not reached run comes after the black
// run of the same cells.
void ForEachRun(const Scene& scene, const CoverMap* cover, const Region& region,
                const std::function<void(CellKind, int, int, int)>& take);

// The kind of the last run over `cell`, or white.
CellKind KindAt(const Scene& scene, const CoverMap* cover, Cell cell);
