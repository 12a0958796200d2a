// Pictures and the blocks that cover them, built from fuzz bytes for the structure-aware
// harness (fuzz_cover.cpp): pictures up to 1000 x 1000 made of boxes, holes, stripes and single
// cells, and covers of many kinds (the boxes themselves, runs, greedy boxes, tilings, copies)
// in any order, with the near misses that one fault makes (a cell short, a white cell covered,
// a box one row too long, a late large box over one white cell, an edge crossed, a limit
// exceeded).
#pragma once

#include <fuzzer/FuzzedDataProvider.h>

#include <cstdint>
#include <string>
#include <vector>

#include "reference/reference.h"

struct Scene {
  int w = 0;
  int h = 0;
  std::vector<std::string> rows;
  std::vector<reference::Rectangle> shapes;  // the black boxes the picture was painted from
  std::vector<reference::Cell> holes;        // white cells punched into them

  bool IsBlack(int x, int y) const { return rows[y][x] == '#'; }
};

Scene MakeScene(FuzzedDataProvider& in);

// A block for `scene`: a cover of some kind, perhaps with a fault, in some order. Its
// rectangles paint at most `areaBudget` cells in all, which is then lowered by what they paint.
std::vector<reference::Rectangle> MakeBlock(FuzzedDataProvider& in, const Scene& scene,
                                            std::int64_t& areaBudget);
