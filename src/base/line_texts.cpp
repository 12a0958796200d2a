#include "base/line_texts.h"

#include "base/byte_source.h"
#include "base/line_reader.h"

std::vector<std::optional<LineText>> ReadLineTexts(const std::string& path,
                                                   const std::vector<std::int64_t>& numbers,
                                                   std::size_t keep) {
  std::vector<std::optional<LineText>> texts(numbers.size());
  if (numbers.empty()) {
    return texts;  // the file is not opened again for nothing
  }
  FileSource source(path);
  LineReader reader(source);
  std::string_view line;
  std::int64_t lineNumber = 0;
  for (std::size_t i = 0; i < numbers.size(); ++i) {
    while (lineNumber < numbers[i]) {
      if (!reader.ReadLine(line)) {
        return texts;
      }
      ++lineNumber;
    }
    texts[i] = LineText{std::string(line.substr(0, keep)), static_cast<std::int64_t>(line.size())};
  }
  return texts;
}
