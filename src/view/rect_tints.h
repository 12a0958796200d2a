// A tint for each drawn rectangle, so that rectangles side by side get different ones as far
// as a few tints allow: in drawing order, each takes the first tint that no rectangle
// bordering it on the outside has. It costs the rectangles' perimeters, up to a budget; past
// it the tints go round in drawing order.
#pragma once

#include <cstdint>
#include <span>
#include <vector>

#include "view/region.h"

inline constexpr int kTintCount = 6;

// `boxes` lie inside `region`; the result has one tint (0 to kTintCount - 1) per box.
std::vector<std::uint8_t> ChooseTints(std::span<const Region> boxes, const Region& region,
                                      std::int64_t budget = 200'000'000);
