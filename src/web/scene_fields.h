// What the page gets of an evaluation, handed over as named fields: numbers, byte strings and
// arrays of 32-bit integers. The page's worker collects them into one message per stage, and
// the page draws and writes what it finds by name, so a new field here needs one layer or
// line on the page (web/picture.js, web/page.js) and nothing in between.
#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <string_view>

#include "base/byte_source.h"
#include "eval/evaluation.h"
#include "view/drawn.h"
#include "view/layout.h"
#include "view/scene.h"

class FieldSink {
 public:
  virtual ~FieldSink() = default;
  virtual void Number(std::string_view name, double value) = 0;
  // Raw bytes; a list of texts is sent as one, its items separated by LF.
  virtual void Bytes(std::string_view name, std::string_view bytes) = 0;
  virtual void Ints(std::string_view name, std::span<const std::int32_t> values) = 0;
  virtual void Numbers(std::string_view name, std::span<const double> values) = 0;
};

// The report as the evaluator writes it, and the verdict it says: "ok" with the number of
// blocks, "failure" with the check, its message and where it points, or "unexpected".
void SendReport(const Evaluation& evaluation, FieldSink& sink);

// The picture's drawing of all of the grid, which SendScene sends and whose drawn rectangles
// the lines sent by SendLines belong to.
Drawing DrawAll(const Scene& scene);

// The scene as the picture shows it, drawn by DrawAll.
void SendScene(const Scene& scene, const Drawing& drawing, FieldSink& sink);

// The lines of the drawn rectangles as written, read again from the submission (a source at
// its start): their first bytes one after the other, where each ends, and whether it was cut
// (0: whole, 1: cut, 2: the line could not be read again).
void SendLines(ByteSource& submission, const Scene& scene, const Layout& layout, FieldSink& sink);
