#include "view_scene.h"

#include <algorithm>

#include "white_cells.h"

namespace {
// The caption holds at most this much of the report's line; the picture shows less.
constexpr std::size_t kCaptionLineLimit = 4096;

std::string Sizes(int number, int w, int h, int a, int b) {
  return "testni primer " + IntToStr(number) + ": w = " + IntToStr(w) + ", h = " + IntToStr(h) +
         ", a = " + IntToStr(a) + ", b = " + IntToStr(b);
}

void ShowPicture(const PictureFacts& picture, int check, Scene& scene) {
  scene.w = picture.w;
  scene.h = picture.h;
  scene.rows.resize(static_cast<std::size_t>(picture.h));
  for (int y = 0; y < picture.rowsRead; ++y) {
    scene.rows[static_cast<std::size_t>(y)] = picture.Row(y);
  }
  scene.faultCell = picture.badCell;
  if (check == 75) {
    scene.faultRow = picture.rowsRead - 1;
  }
  scene.caption.push_back(Sizes(picture.number, picture.w, picture.h, picture.a, picture.b) +
                          " (iz vhoda), prebranih vrstic: " + IntToStr(picture.rowsRead));
}

// The picture's rows are kept as bits; the scene shows them as text, kept in `text`.
void ShowBlock(const BlockFacts& block, std::string& text, Scene& scene) {
  const TestCase& testCase = *block.result->testCase;
  scene.w = testCase.w;
  scene.h = testCase.h;
  const std::size_t w = testCase.w;
  text.assign(w * testCase.h, '.');
  for (int y = 0; y < testCase.h; ++y) {
    for (int x = 0; x < testCase.w; ++x) {
      text[y * w + static_cast<std::size_t>(x)] = testCase.IsBlack(x, y) ? '#' : '.';
    }
  }
  for (int y = 0; y < testCase.h; ++y) {
    scene.rows.emplace_back(text.data() + y * w, w);
  }
  scene.rects = block.result->rects;
  scene.showUncovered = true;
  scene.numberLine = block.numberLine;
}

void AddBlockCaption(const BlockFacts& block, Scene& scene) {
  const TestCase& testCase = *block.result->testCase;
  scene.caption.push_back(
      "blok " + IntToStr(block.ordinal) + ", " +
      Sizes(testCase.number, testCase.w, testCase.h, testCase.a, testCase.b) +
      ", pravokotnikov: " + IntToStr(static_cast<std::int64_t>(scene.rects.size())));
}

// The block asked for (or the first), when the run kept it.
void ShowWantedBlock(ViewedRun& run, std::int64_t requestedBlock, Scene& scene) {
  if (const auto block = run.facts.Block(run.facts.wantedBlock)) {
    ShowBlock(*block, run.blockPicture, scene);
    AddBlockCaption(*block, scene);
  } else if (requestedBlock > 0) {
    scene.caption.push_back("blok " + IntToStr(requestedBlock) +
                            " ne obstaja (blokov: " + IntToStr(run.facts.blocksStarted) + ")");
  }
}

Edge EdgeOf(int check) {
  switch (check) {
    case 140:
      return Edge::kLeft;
    case 141:
      return Edge::kTop;
    case 142:
      return Edge::kRight;
    case 143:
      return Edge::kBottom;
    default:
      return Edge::kNone;
  }
}

// The marks of a failure in the block at hand: which rectangles were read, which one failed,
// and the cell the check names, found by the evaluator's own functions. A rectangle is
// stored before its line is read and checked, so the last one is the failing one, or one
// whose line could not be read (checks 137 and 139).
void MarkBlockFailure(ViewedRun& run, int check, Scene& scene) {
  const CaseResult& result = run.facts.workspace.result;
  if (result.rects.empty()) {
    return;
  }
  if (check >= 137 && check <= 139) {
    scene.rects = scene.rects.first(scene.rects.size() - 1);
  } else if (check >= 140 && check <= 148) {
    scene.lastFails = true;
    scene.crossed = EdgeOf(check);
  }
  if (check == 148) {
    const Rect& rect = result.rects.back();
    TestCase& testCase = *FindTestCase(run.testCases, result.testNumber);
    Cell cell;
    WhiteCells whiteCells;
    whiteCells.Use(testCase);
    if (whiteCells.Find(rect.x, rect.y, rect.width, rect.height, cell.x, cell.y)) {
      scene.faultCell = cell;
    }
  } else if (check == 157) {
    Coverage coverage;
    scene.faultCell = coverage.FirstMismatch(*result.testCase, result.rects);
  }
}

void ShowFailingBlock(ViewedRun& run, int check, Scene& scene) {
  const auto block = run.facts.Block(run.facts.blocksStarted);
  if (!block) {
    return;
  }
  ShowBlock(*block, run.blockPicture, scene);
  MarkBlockFailure(run, check, scene);
  AddBlockCaption(*block, scene);
}
}  // namespace

Cell Scene::Focus() const {
  if (faultCell) {
    return *faultCell;
  }
  if (faultRow) {
    return Cell{0, *faultRow};
  }
  if (lastFails && !rects.empty() && HasGrid()) {
    const Rect& rect = rects.back();
    return Cell{std::clamp(rect.x, 0, w - 1), std::clamp(rect.y, 0, h - 1)};
  }
  return Cell{0, 0};
}

Scene BuildScene(ViewedRun& run, std::int64_t requestedBlock) {
  Scene scene;
  scene.caption.push_back(FirstLineHead(run, kCaptionLineLimit));
  if (run.unexpected) {
    return scene;
  }
  if (!run.failure) {
    ShowWantedBlock(run, requestedBlock, scene);
    return scene;
  }
  const int check = run.failure->line;
  switch (PlaceOfCheck(check)) {
    case FailurePlace::kTaskInput:
      // Only when the failing test case got as far as its picture.
      if (run.facts.picturesStarted == static_cast<std::int64_t>(run.testCases.size()) + 1) {
        ShowPicture(run.facts.picture, check, scene);
      }
      break;
    case FailurePlace::kBlock:
      ShowFailingBlock(run, check, scene);
      break;
    case FailurePlace::kBlockStart:
      ShowWantedBlock(run, requestedBlock, scene);
      break;
    default:
      break;
  }
  return scene;
}
