#include "view/cell_runs.h"

namespace {
// Calls `take` once for each maximal run of cells in [x0, x1) for which `in` holds.
template <typename In>
void Runs(int x0, int x1, In in, const std::function<void(int, int)>& take) {
  int start = -1;
  for (int x = x0; x <= x1; ++x) {
    const bool inside = x < x1 && in(x);
    if (inside && start < 0) {
      start = x;
    } else if (!inside && start >= 0) {
      take(start, x - start);
      start = -1;
    }
  }
}
}  // namespace

void ForEachRun(const Scene& scene, const CoverMap* cover, const Region& region,
                const std::function<void(CellKind, int, int, int)>& take) {
  const CellKind open =
      scene.uncovered == Uncovered::kNotReached ? CellKind::kNotReached : CellKind::kUncovered;
  for (int y = region.y0; y < region.y1; ++y) {
    const std::string_view row = scene.rows[static_cast<std::size_t>(y)];
    const int known = static_cast<int>(std::min<std::size_t>(row.size(), region.x1));
    const auto emit = [&take, y](CellKind kind) {
      return [&take, kind, y](int x, int length) { take(kind, x, y, length); };
    };
    const auto black = [&row](int x) { return row[static_cast<std::size_t>(x)] == '#'; };
    Runs(region.x0, known, black, emit(CellKind::kBlack));
    if (cover != nullptr) {
      Runs(
          region.x0, known, [&](int x) { return black(x) && !cover->Covered(x, y); }, emit(open));
    }
    if (known < region.x1) {
      take(CellKind::kUnread, std::max(known, region.x0), y,
           region.x1 - std::max(known, region.x0));
    }
  }
}

CellKind KindAt(const Scene& scene, const CoverMap* cover, Cell cell) {
  CellKind kind = CellKind::kWhite;
  ForEachRun(scene, cover, Region{cell.x, cell.y, cell.x + 1, cell.y + 1},
             [&kind](CellKind got, int, int, int) { kind = got; });
  return kind;
}
