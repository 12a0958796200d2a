#include "view/command.h"

#include <cstdio>
#include <string_view>

#include "base/output_file.h"
#include "base/version.h"
#include "explain/explanation.h"
#include "view/args.h"
#include "view/drawn.h"
#include "view/svg_picture.h"
#include "view/viewed_run.h"

namespace {
constexpr OutputMessages kPictureMessages = {
    "zelmiranke-view", "slika bi prepisala vhodno datoteko", "slike ni mogoce ustvariti",
    "slike ni bilo mogoce zapisati"};

// How much of a rectangle's line is read back for its title.
constexpr std::size_t kLineKeep = kTitleRoom + 1;

void PrintFirstLine(const ViewedRun& run) {
  StreamSink out(stdout);
  WriteFirstLine(out, run.evaluation);
  std::fputc('\n', stdout);
  std::fflush(stdout);
}

// The titles of the drawn rectangles, with their lines read back from the submission.
std::vector<std::string> Titles(const std::string& submissionPath, const Scene& scene,
                                const Layout& layout) {
  std::vector<std::optional<LineText>> texts(layout.drawn.size());
  try {
    texts = DrawnLines(submissionPath, scene, layout, kLineKeep);
  } catch (...) {
    // A file that cannot be read again leaves the titles with the rectangles' numbers.
  }
  std::vector<std::string> titles;
  for (std::size_t i = 0; i < layout.drawn.size(); ++i) {
    const std::uint32_t index = layout.drawn[i];
    titles.push_back(RectTitle(index + 1, scene.rects[index], texts[i]));
  }
  return titles;
}

// Where and why the run failed, in English, after the report's line.
void AddExplanation(const ViewArgs& args, const ViewedRun& run, Scene& scene) {
  const Explanation why =
      Explain(run.evaluation, run.facts, {ReopenFile(args.input), ReopenFile(args.submission)});
  const std::vector<std::string> lines = ExplanationLines(why);
  scene.caption.insert(scene.caption.begin() + 1, lines.begin(), lines.end());
}
}  // namespace

std::string Picture(const ViewArgs& args, ViewedRun& run) {
  Scene scene = BuildScene(run, args.block, args.lang);
  if (args.lang == Lang::kEnglish) {
    AddExplanation(args, run, scene);
  }
  const Drawing drawing = DrawScene(scene, args.window);
  return SvgPicture(scene, drawing, Titles(args.submission, scene, drawing.layout));
}

int RunView(int argc, const char* const* argv) {
  const std::string_view first = argc > 1 ? argv[1] : "";
  if (first == "--version") {
    return PrintVersion("zelmiranke-view");
  }
  const std::optional<ViewArgs> args = ParseViewArgs(argc, argv);
  if (!args) {
    std::fwrite(kViewUsage.data(), 1, kViewUsage.size(), stdout);
    std::fflush(stdout);
    // Asked for, the usage text is an answer, not a complaint.
    return first == "--help" ? 0 : kViewUsageStatus;
  }
  return WriteOutputFile(args->picture, args->input, args->submission, kPictureMessages,
                         [&args](OutputFile& file) {
                           ViewedRun run(args->block > 0 ? args->block : 1);
                           Evaluate(args->input, args->submission, run.evaluation, &run.facts);
                           PrintFirstLine(run);
                           file.Write(Picture(*args, run));
                         });
}
