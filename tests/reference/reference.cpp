#include "reference/reference.h"

#include <cstring>
#include <utility>

#include "base/scan_ints.h"

namespace reference {
namespace {
constexpr std::string_view kTaskName = "Zelmiranke";
constexpr int kMaxSide = 1000;

// A failed check, thrown from where it fails up to the run.
struct Failed {
  Verdict verdict;
};

[[noreturn]] void Fail(int check, std::int64_t line, int rectangle = 0,
                       std::optional<Cell> cell = std::nullopt) {
  throw Failed{{check, line, rectangle, cell, {}}};
}

// The lines of a file: a line ends at LF, a CR right before the LF belongs to the line end, a
// last line without LF is a line too, and a byte 0x1A ends the file.
class Lines {
 public:
  explicit Lines(std::string_view bytes) : rest_(bytes.substr(0, bytes.find('\x1a'))) {}

  // The next line, or nothing when no byte is left.
  std::optional<std::string_view> Next() {
    if (rest_.empty()) {
      return std::nullopt;
    }
    const std::size_t lf = rest_.find('\n');
    if (lf == std::string_view::npos) {
      return std::exchange(rest_, std::string_view());
    }
    std::string_view line = rest_.substr(0, lf);
    rest_.remove_prefix(lf + 1);
    if (!line.empty() && line.back() == '\r') {
      line.remove_suffix(1);
    }
    return line;
  }

 private:
  std::string_view rest_;
};

// Whether `line` begins with `count` whole numbers, as sscanf's "%d %d ..." reads them.
bool Numbers(std::string_view line, int count, int* values) {
  return ScanInts(line, count, values) == count;
}

void CheckSide(int value, int check, std::int64_t line) {
  if (value < 1 || value > kMaxSide) {
    Fail(check, line);
  }
}

// A test case: the empty separator line, the size line and the picture rows. `line` is the
// number of the last line read, and stays so.
Picture ReadTestCase(Lines& lines, std::int64_t& line, int& number) {
  const auto separator = lines.Next();
  ++line;
  if (!separator) {
    Fail(61, line);
  }
  if (!separator->empty()) {
    Fail(62, line);
  }
  const auto sizes = lines.Next();
  ++line;
  if (!sizes) {
    Fail(63, line);
  }
  int values[5];
  if (!Numbers(*sizes, 5, values)) {
    Fail(65, line);
  }
  for (int i = 1; i <= 4; ++i) {
    CheckSide(values[i], 65 + i, line);
  }
  number = values[0];
  Picture picture{values[1], values[2], values[3], values[4], {}};
  for (int y = 0; y < picture.h; ++y) {
    const auto row = lines.Next();
    ++line;
    if (!row) {
      Fail(74, line);
    }
    if (row->size() != static_cast<std::size_t>(picture.w)) {
      Fail(75, line);
    }
    picture.rows.emplace_back(*row);
    // The first cell that is neither '.' nor '#' (a zero byte ends the span too, and is one).
    const int x = static_cast<int>(std::strspn(picture.rows.back().c_str(), ".#"));
    if (x < picture.w) {
      Fail(79, line, 0, Cell{x, y});
    }
  }
  return picture;
}

std::vector<Picture> ReadTaskInput(std::string_view bytes) {
  Lines lines(bytes);
  const auto name = lines.Next();
  if (!name) {
    Fail(91, 1);
  }
  if (*name != kTaskName) {
    Fail(92, 1);
  }
  const auto countLine = lines.Next();
  if (!countLine) {
    Fail(95, 2);
  }
  int count = 0;
  if (!Numbers(*countLine, 1, &count) || count < 1) {
    Fail(98, 2);
  }
  std::vector<Picture> pictures;
  std::int64_t line = 2;
  for (int k = 1; k <= count; ++k) {
    int number = 0;
    pictures.push_back(ReadTestCase(lines, line, number));
    if (number != k) {
      Fail(105, line);
    }
  }
  return pictures;
}

// A block's canvas: every rectangle is checked and painted as it comes, and the canvas compared
// with the picture once the block's rectangles are all in.
class Canvas {
 public:
  explicit Canvas(const Picture& picture)
      : picture_(picture), rows_(picture.rows.size(), std::string(picture.w, '.')) {}

  // Rectangle k, standing on line `line`: the grid's edges, the size limit, then its cells
  // row by row, each of which must be black in the picture.
  void Paint(const Rectangle& r, int k, std::int64_t line) {
    if (r.x < 0) {
      Fail(140, line, k);
    }
    if (r.y < 0) {
      Fail(141, line, k);
    }
    if (std::int64_t{r.x} + r.width > picture_.w) {
      Fail(142, line, k);
    }
    if (std::int64_t{r.y} + r.height > picture_.h) {
      Fail(143, line, k);
    }
    const bool upright = r.width <= picture_.a && r.height <= picture_.b;
    const bool turned = r.width <= picture_.b && r.height <= picture_.a;
    if (!upright && !turned) {
      Fail(145, line, k);
    }
    if (r.width <= 0) {
      return;
    }
    for (int y = r.y; y < r.y + r.height; ++y) {
      // The picture's cells are '.' or '#': the first one that is not black is white.
      const std::size_t white = std::string_view(picture_.rows[y]).substr(r.x, r.width).find('.');
      if (white != std::string_view::npos) {
        Fail(148, line, k, Cell{r.x + static_cast<int>(white), y});
      }
      rows_[y].replace(r.x, r.width, r.width, '#');
    }
  }

  // The first cell, row by row, where the canvas differs from the picture.
  void Compare() const {
    for (int y = 0; y < picture_.h; ++y) {
      const std::string& want = picture_.rows[y];
      if (want != rows_[y]) {
        int x = 0;
        while (want[x] == rows_[y][x]) ++x;
        Fail(want[x] == '#' ? 157 : 161, 0, 0, Cell{x, y});
      }
    }
  }

 private:
  const Picture& picture_;
  std::vector<std::string> rows_;
};

// A block's body: the count line and the rectangles; `line` advances over every line read.
int ReadBlock(Lines& lines, const Picture& picture, std::int64_t& line) {
  const auto countLine = lines.Next();
  ++line;
  if (!countLine) {
    Fail(129, line);
  }
  int count = 0;
  if (!Numbers(*countLine, 1, &count) || count < 1 || count > picture.w * picture.h) {
    Fail(132, line);
  }
  Canvas canvas(picture);
  for (int k = 1; k <= count; ++k) {
    const auto rectLine = lines.Next();
    ++line;
    if (!rectLine) {
      Fail(137, line, k);
    }
    int v[4];
    if (!Numbers(*rectLine, 4, v)) {
      Fail(139, line, k);
    }
    canvas.Paint({v[0], v[1], v[2], v[3]}, k, line);
  }
  canvas.Compare();
  return count;
}

std::vector<Entry> ReadSubmission(std::string_view bytes, const std::vector<Picture>& pictures) {
  Lines lines(bytes);
  const auto contestant = lines.Next();
  if (!contestant) {
    Fail(189, 1);
  }
  if (contestant->size() != 6) {
    Fail(190, 1);
  }
  int number = 0;
  if (!Numbers(*contestant, 1, &number)) {
    Fail(192, 1);
  }
  const auto name = lines.Next();
  if (!name) {
    Fail(193, 2);
  }
  if (*name != kTaskName) {
    Fail(194, 2);
  }
  std::vector<Entry> entries;
  std::int64_t line = 2;
  while (const auto start = lines.Next()) {
    ++line;
    if (start->empty()) {
      continue;
    }
    int test = 0;
    if (!Numbers(*start, 1, &test)) {
      Fail(202, line);
    }
    if (test < 1 || test > static_cast<int>(pictures.size())) {
      Fail(204, line);
    }
    entries.push_back({test, ReadBlock(lines, pictures[test - 1], line)});
  }
  return entries;
}
}  // namespace

std::string Describe(const Verdict& verdict) {
  if (verdict.check == 0) {
    std::string text = "OK";
    for (const Entry& entry : verdict.entries) {
      text += " | " + std::to_string(entry.test) + " " + std::to_string(entry.count);
    }
    return text;
  }
  std::string text = "check " + std::to_string(verdict.check) + " line " +
                     std::to_string(verdict.line) + " rectangle " +
                     std::to_string(verdict.rectangle);
  if (verdict.cell) {
    text += " cell " + std::to_string(verdict.cell->x) + "," + std::to_string(verdict.cell->y);
  }
  return text;
}

Verdict EvaluateRun(std::string_view input, std::string_view submission) {
  try {
    const std::vector<Picture> pictures = ReadTaskInput(input);
    return {0, 0, 0, std::nullopt, ReadSubmission(submission, pictures)};
  } catch (const Failed& failed) {
    return failed.verdict;
  }
}

Verdict JudgeBlock(const Picture& picture, const std::vector<Rectangle>& rects,
                   std::int64_t countLine) {
  try {
    Canvas canvas(picture);
    for (int k = 1; k <= static_cast<int>(rects.size()); ++k) {
      canvas.Paint(rects[k - 1], k, countLine + k);
    }
    canvas.Compare();
    return {0, 0, 0, std::nullopt, {{1, static_cast<int>(rects.size())}}};
  } catch (const Failed& failed) {
    return failed.verdict;
  }
}

}  // namespace reference
