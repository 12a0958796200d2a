#include "view/scene.h"

#include <algorithm>

#include "eval/assertion.h"
#include "eval/checks.h"

namespace {
// The caption holds at most this much of the report's line; the picture shows less.
constexpr std::size_t kCaptionLineLimit = 4096;

// The caption's words in each language.
constexpr Words kTest = {"testni primer ", "test "};
constexpr Words kTestFirst = {"testni primer ", "Test "};
constexpr Words kFromInput = {" (iz vhoda), prebranih vrstic: ", " (task input), rows read: "};
constexpr Words kBlock = {"blok ", "Block "};
constexpr Words kRectangles = {", pravokotnikov: ", ", rectangles read: "};
constexpr Words kNoBlock = {" ne obstaja (blokov: ", " does not exist (blocks: "};

// The test case's number, sides and limits; `first` when it starts the caption's line.
std::string Sizes(Lang lang, bool first, int number, int w, int h, int a, int b) {
  return std::string((first ? kTestFirst : kTest).In(lang)) + IntToStr(number) +
         ": w = " + IntToStr(w) + ", h = " + IntToStr(h) + ", a = " + IntToStr(a) +
         ", b = " + IntToStr(b);
}

void ShowPicture(const PictureFacts& picture, const EAssertion& failure, Scene& scene) {
  scene.w = picture.w;
  scene.h = picture.h;
  scene.rows.resize(static_cast<std::size_t>(picture.h));
  for (int y = 0; y < picture.rowsRead; ++y) {
    scene.rows[static_cast<std::size_t>(y)] = picture.Row(y);
  }
  scene.faultCell = failure.site.cell;
  if (failure.check == check::kPictureRowLength) {
    scene.faultRow = picture.rowsRead - 1;
  }
  scene.caption.push_back(
      Sizes(scene.lang, true, picture.number, picture.w, picture.h, picture.a, picture.b) +
      std::string(kFromInput.In(scene.lang)) + IntToStr(picture.rowsRead));
}

// The picture's rows are kept as bits; the scene shows them as text, kept in `text`.
void ShowBlock(const BlockFacts& block, std::string& text, Scene& scene) {
  const TestCase& testCase = *block.testCase;
  scene.w = testCase.w;
  scene.h = testCase.h;
  const std::size_t w = testCase.w;
  text.resize(w * testCase.h);
  for (int y = 0; y < testCase.h; ++y) {
    char* row = text.data() + y * w;
    for (int x = 0; x < testCase.w; ++x) {
      row[x] = testCase.IsBlack(x, y) ? '#' : '.';
    }
    scene.rows.emplace_back(row, w);
  }
  scene.rects = block.rects;
  scene.uncovered = Uncovered::kAtEnd;
  scene.rectLines = block.lines;
  scene.numberLine = block.numberLine;
}

void AddBlockCaption(const BlockFacts& block, Scene& scene) {
  const TestCase& testCase = *block.testCase;
  scene.caption.push_back(
      std::string(kBlock.In(scene.lang)) + IntToStr(block.ordinal) + ", " +
      Sizes(scene.lang, false, testCase.number, testCase.w, testCase.h, testCase.a, testCase.b) +
      std::string(kRectangles.In(scene.lang)) +
      IntToStr(static_cast<std::int64_t>(scene.rects.size())));
}

// The block asked for (or the first), when the run kept it.
void ShowWantedBlock(ViewedRun& run, std::int64_t requestedBlock, Scene& scene) {
  if (const BlockFacts* block = run.facts.Block(run.facts.WantedBlock())) {
    ShowBlock(*block, run.blockPicture, scene);
    AddBlockCaption(*block, scene);
  } else if (requestedBlock > 0) {
    scene.caption.push_back(std::string(kBlock.In(scene.lang)) + IntToStr(requestedBlock) +
                            std::string(kNoBlock.In(scene.lang)) +
                            IntToStr(run.facts.BlocksStarted()) + ")");
  }
}

Edge EdgeOf(int number) {
  switch (number) {
    case check::kRectLeftEdge:
      return Edge::kLeft;
    case check::kRectTopEdge:
      return Edge::kTop;
    case check::kRectRightEdge:
      return Edge::kRight;
    case check::kRectBottomEdge:
      return Edge::kBottom;
    default:
      return Edge::kNone;
  }
}

// The block at hand, with the marks of its failure: which rectangle failed and the cell the
// check names. A check that stops the block before its end leaves the black cells that no
// rectangle covers yet not reached, rather than uncovered.
void ShowFailingBlock(ViewedRun& run, const EAssertion& failure, Scene& scene) {
  const BlockFacts* block = run.facts.Block(run.facts.BlocksStarted());
  if (block == nullptr) {
    return;
  }
  ShowBlock(*block, run.blockPicture, scene);
  const CheckInfo& info = *FindCheck(failure.check);
  if (!info.wholeBlock) {
    scene.uncovered = Uncovered::kNotReached;
  }
  // A large rectangle's check 148 may be done after the rectangles behind it were read: the
  // block is shown as far as the rectangle the failure names.
  const std::size_t named = static_cast<std::size_t>(failure.site.rectangle);
  if (named > 0 && named < scene.rects.size()) {
    scene.rects = scene.rects.first(named);
  }
  if (!block->rects.empty()) {
    // The rectangle that fails a check of its own is the last one read.
    scene.lastFails = info.rectangle == RectNamed::kRead;
    scene.crossed = EdgeOf(failure.check);
    scene.faultCell = failure.site.cell;
  }
  AddBlockCaption(*block, scene);
}
}  // namespace

std::optional<Cell> Scene::Pointed() const {
  if (faultCell) {
    return faultCell;
  }
  if (lastFails && !rects.empty() && HasGrid()) {
    const Rect& rect = rects.back();
    return Cell{std::clamp(rect.x, 0, w - 1), std::clamp(rect.y, 0, h - 1)};
  }
  return std::nullopt;
}

Cell Scene::Focus() const {
  if (const std::optional<Cell> cell = Pointed()) {
    return *cell;
  }
  if (faultRow) {
    return Cell{0, *faultRow};
  }
  return Cell{0, 0};
}

Scene BuildScene(ViewedRun& run, std::int64_t requestedBlock, Lang lang) {
  Scene scene;
  scene.lang = lang;
  scene.caption.push_back(FirstLineHead(run, kCaptionLineLimit));
  const Evaluation& evaluation = run.evaluation;
  if (evaluation.unexpected) {
    return scene;
  }
  if (!evaluation.failure) {
    ShowWantedBlock(run, requestedBlock, scene);
    return scene;
  }
  const EAssertion& failure = *evaluation.failure;
  switch (PartOfCheck(failure.check)) {
    case CheckPart::kTaskInput:
      // Only when the failing test case got as far as its picture.
      if (run.facts.PicturesStarted() ==
          static_cast<std::int64_t>(evaluation.testCases.size()) + 1) {
        ShowPicture(run.facts.Picture(), failure, scene);
      }
      break;
    case CheckPart::kBlock:
      ShowFailingBlock(run, failure, scene);
      break;
    case CheckPart::kBlockStart:
      ShowWantedBlock(run, requestedBlock, scene);
      break;
    case CheckPart::kHeader:
    case CheckPart::kNone:
      break;
  }
  return scene;
}
