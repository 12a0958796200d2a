#include "base/line_texts.h"

#include "base/line_reader.h"

std::size_t VisitLineTexts(ByteSource& source, const std::vector<std::int64_t>& numbers,
                           std::size_t keep,
                           const std::function<void(std::size_t, const LineText&)>& take) {
  LineReader reader(source);
  LineText text;
  std::string_view skipped;
  for (std::size_t i = 0; i < numbers.size(); ++i) {
    // The lines before the one asked are passed by, not copied.
    while (reader.LineNumber() + 1 < numbers[i]) {
      if (!reader.MeasureLine(skipped, text.length)) {
        return i;
      }
    }
    if (reader.LineNumber() < numbers[i]) {
      text.length = reader.ReadLineHead(text.head, keep);
      if (text.length < 0) {
        return i;
      }
    }
    take(i, text);
  }
  return numbers.size();
}

std::vector<std::optional<LineText>> ReadLineTexts(ByteSource& source,
                                                   const std::vector<std::int64_t>& numbers,
                                                   std::size_t keep) {
  std::vector<std::optional<LineText>> texts(numbers.size());
  VisitLineTexts(source, numbers, keep,
                 [&](std::size_t i, const LineText& text) { texts[i] = text; });
  return texts;
}

std::vector<std::optional<LineText>> ReadLineTexts(const std::string& path,
                                                   const std::vector<std::int64_t>& numbers,
                                                   std::size_t keep) {
  if (numbers.empty()) {
    return std::vector<std::optional<LineText>>();  // the file is not opened again for nothing
  }
  FileSource source(path);
  return ReadLineTexts(source, numbers, keep);
}
