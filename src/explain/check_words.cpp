#include "explain/check_words.h"

#include "base/printable.h"
#include "explain/explanation.h"

namespace {
// clang-format off
constexpr CheckWords kWords[] = {
    {61, "manjka {n}. vrstica", "line {n} is missing", "The file ends where the empty line before a test case should be: line 2 promises more test cases than the file holds. Lower the count or add the test cases."},
    {62, "vrstica {n} bi morala biti prazna, ne pa \"{text}\"", "line {n} should be empty, not \"{text}\"", "Every test case starts with an empty line (no blanks, no lone CR)."},
    {63, "manjka {n}. vrstica", "line {n} is missing", "The file ends after the empty line of a test case: add its size line and picture."},
    {65, "v {n}. vrstici bi moralo biti pet celih stevil, ne pa \"{text}\"", "line {n} should hold five integers, not \"{text}\"", "Write the size line as `k w h a b`."},
    {66, "v {n}. vrstici bi morala biti sirina w od 1 do 1000, ne pa {w}", "line {n}: the width w should be 1 to 1000, not {w}", "Keep `w` (the 2nd number) within 1 to 1000."},
    {67, "v {n}. vrstici bi morala biti visina h od 1 do 1000, ne pa {h}", "line {n}: the height h should be 1 to 1000, not {h}", "Keep `h` (the 3rd number) within 1 to 1000."},
    {68, "v {n}. vrstici bi morala biti velikost a od 1 do 1000, ne pa {a}", "line {n}: the size a should be 1 to 1000, not {a}", "Keep `a` (the 4th number) within 1 to 1000."},
    {69, "v {n}. vrstici bi morala biti velikost b od 1 do 1000, ne pa {b}", "line {n}: the size b should be 1 to 1000, not {b}", "Keep `b` (the 5th number) within 1 to 1000."},
    {74, "manjka vrstica y = {y}", "the picture row y = {y} is missing", "The file ends inside a picture: give it `h` rows."},
    {75, "vrstica y = {y} bi morala biti dolga {w} znakov, ne pa {len}", "the row y = {y} should be {w} characters long, not {len}", "Make every row exactly `w` characters; look for trailing blanks, a lone CR or a wrong `w`."},
    {79, "znak za celico x = {x}, y = {y} ima s kodo {code}, ki niti '.' niti '#'", "the character of cell x = {x}, y = {y} has the code {code}, which is neither '.' nor '#'", "Use only `.` and `#` in pictures; {code} is the byte value (0 to 255)."},
    {91, "manjka prva vrstica z imenom naloge", "the first line, with the task name, is missing", "The task input is empty, missing, unreadable or a folder: check the path the grading system passes to the evaluator."},
    {92, "v prvi vrstici bi moral biti niz \"Zelmiranke\", ne pa \"{text}\"", "the first line should be the string \"Zelmiranke\", not \"{text}\"", "Make line 1 exactly `Zelmiranke`: no blanks, no byte order mark. Also shows when another file was passed as the task input."},
    {95, "manjka druga vrstica s stevilom testnih primerov", "the second line, with the number of test cases, is missing", "Add line 2 with the number of test cases."},
    {98, "v drugi vrstici bi moralo biti stevilo testnih primerov, ne pa \"{text}\"", "the second line should hold the number of test cases, not \"{text}\"", "Start line 2 with the number of test cases, at least 1."},
    {105, "v vrsticah {start}..{n} bi moral biti testni primer stevilka {place}, ne pa {number}", "lines {start}..{n} should hold test case number {place}, not {number}", "Number the test cases 1, 2, 3, ... in file order: {place} is the test case's place in the file. {start} is the line before it (2 for the first), {n} its last line."},
    {129, "manjka vrstica s stevilom pravokotnikov", "the line with the number of rectangles is missing", "The file ends after a test number: give the count and the rectangles, or remove the test number."},
    {132, "stevilo pravokotnikov bi moralo biti od 1 do {cells}", "the number of rectangles should be 1 to {cells}", "The line after the test number holds the count, 1 to `w` x `h` ({cells}); no empty line between them."},
    {137, "manjka vrstica z {k}. pravokotnikom", "the line with rectangle {k} is missing", "The file ends before the block's last rectangle: give as many rectangle lines as the count says."},
    {139, "opis {k}. pravokotnika bi morala tvoriti stiri cela stevila", "the description of rectangle {k} should be four integers", "Write each rectangle as `x y width height`, blank-separated, with no empty line inside a block."},
    {140, "opis {k}. pravokotnik strli cez levi rob mreze (x = {x})", "rectangle {k} sticks out over the left edge of the grid (x = {x})", "`x` must be 0 or more."},
    {141, "opis {k}. pravokotnik strli cez zgornji rob mreze (y = {y})", "rectangle {k} sticks out over the top edge of the grid (y = {y})", "`y` must be 0 or more."},
    {142, "opis {k}. pravokotnik strli cez desni rob mreze (x = {x}, sirina = {width}, sirina mreze w = {w})", "rectangle {k} sticks out over the right edge of the grid (x = {x}, width = {width}, grid width w = {w})", "`x + width` must be at most `w`; the third number is the width, not the right column."},
    {143, "opis {k}. pravokotnik strli cez spodnji rob mreze (y = {y}, visina = {height}, visina mreze h = {h})", "rectangle {k} sticks out over the bottom edge of the grid (y = {y}, height = {height}, grid height h = {h})", "`y + height` must be at most `h`; the fourth number is the height, not the bottom row."},
    {145, "{k}. pravokotnik je prevelik ({width} * {height}, omejitev je {a} * {b})", "rectangle {k} is too large ({width} * {height}, the limit is {a} * {b})", "Each rectangle must fit `a` x `b` either way round: split it."},
    {148, "{k}. pravokotnik pobarva tudi celico x = {x}, y = {y}, ki bi morala ostati bela", "rectangle {k} also paints the cell x = {x}, y = {y}, which should stay white", "The rectangle covers a white cell: shrink or split it."},
    {157, "celica x = {x}, y = {y} je ostala bela, pa bi morala postati crna", "the cell x = {x}, y = {y} stayed white but should have become black", "A black cell is not covered by any rectangle of the block: add one."},
    {161, "V OCENJEVALNEM PROGRAMU JE NAPAKA.  Obvesti organizatorje tekmovanja.  x = {x}, y = {y}", "THERE IS A FAULT IN THE EVALUATION PROGRAM. Tell the competition organizers. x = {x}, y = {y}", "Cannot happen: the evaluator's own consistency check. Keep both files and report them to the evaluator's developers."},
    {189, "manjka stevilka tekmovalca", "the contestant number is missing", "The submission is empty. Also shows when the file is missing, unreadable or a folder: if the contestant did submit, check the path the grading system passes."},
    {190, "stevilka tekmovalca bi morala imeti 6 stevk", "the contestant number should have 6 digits", "Line 1 must be exactly 6 characters: write the contestant number with six digits, e.g. `000042`."},
    {192, "v prvi vrstici bi morala biti stevilka tekmovalca, ne pa \"{text}\"", "the first line should hold the contestant number, not \"{text}\"", "Line 1 must start with the number."},
    {193, "manjka druga vrstica", "the second line is missing", "Add line 2: `Zelmiranke`."},
    {194, "v drugi vrstici bi moral biti niz \"Zelmiranke\", ne pa \"{text}\"", "the second line should be the string \"Zelmiranke\", not \"{text}\"", "Make line 2 exactly `Zelmiranke`: no blanks, no other case."},
    {202, "v {n}. vrstici bi morala biti stevilka testnega primera, ne pa \"{text}\"", "line {n} should hold a test case number, not \"{text}\"", "A block starts with its test number."},
    {204, "v {n}. vrstici se pojavlja neveljavna stevilka testnega primera: {number}", "line {n} holds an invalid test case number: {number}", "Use only test numbers of the task input, 1 to its number of test cases."},
};
// clang-format on

// The next piece of a template: the text up to the next {name}, and the name (empty at the end).
struct Piece {
  std::string_view text;
  std::string_view name;
};

Piece NextPiece(std::string_view& pattern) {
  const std::size_t open = pattern.find('{');
  const std::size_t close = open == std::string_view::npos ? open : pattern.find('}', open);
  if (close == std::string_view::npos) {
    const Piece piece{pattern, {}};
    pattern = {};
    return piece;
  }
  const Piece piece{pattern.substr(0, open), pattern.substr(open + 1, close - open - 1)};
  pattern.remove_prefix(close + 1);
  return piece;
}
}  // namespace

std::span<const CheckWords> AllCheckWords() {
  return kWords;
}

const CheckWords* FindCheckWords(int number) {
  for (const CheckWords& words : kWords) {
    if (words.check == number) {
      return &words;
    }
  }
  return nullptr;
}

std::map<std::string, std::string, std::less<>> TemplateValues(std::string_view pattern,
                                                               std::string_view message) {
  std::map<std::string, std::string, std::less<>> values;
  Piece piece = NextPiece(pattern);
  if (message.substr(0, piece.text.size()) != piece.text) {
    return {};
  }
  message.remove_prefix(piece.text.size());
  while (!piece.name.empty()) {
    const std::string_view name = piece.name;
    piece = NextPiece(pattern);
    // A value ends where the text after it first stands; the last one where the message ends
    // in that text, or, cut short, at the end of the message.
    std::size_t end = message.find(piece.text);
    if (piece.name.empty()) {
      const bool ends = message.size() >= piece.text.size() &&
                        message.substr(message.size() - piece.text.size()) == piece.text;
      end = ends ? message.size() - piece.text.size() : message.size();
    } else if (end == std::string_view::npos || piece.text.empty()) {
      return {};
    }
    values.emplace(name, message.substr(0, end));
    message.remove_prefix(std::min(message.size(), end + piece.text.size()));
  }
  return values;
}

std::string FillTemplate(std::string_view pattern,
                         const std::map<std::string, std::string, std::less<>>& values) {
  std::string out;
  while (!pattern.empty()) {
    const Piece piece = NextPiece(pattern);
    out.append(piece.text);
    if (piece.name.empty()) {
      continue;
    }
    const auto found = values.find(piece.name);
    if (found == values.end()) {
      out.append("{").append(piece.name).append("}");
      continue;
    }
    bool cut = false;
    out.append(Printable(found->second, kLineRoom, cut));
    if (cut) {
      out.append("...");
    }
  }
  return out;
}
