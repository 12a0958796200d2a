// A strict reader for the JSON that zelmiranke-judge writes, so that the tests and the fuzzing
// harness read it back as a grading system would: one value and nothing after it, only ASCII,
// no raw control byte in a string. A string is read as bytes: \u00XX gives the byte XX, and a
// \u escape beyond 0xFF is refused, since one character must stand for one byte of a file.
#pragma once

#include <cstdint>
#include <cstdlib>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

struct JsonValue {
  enum class Kind { kNull, kBool, kNumber, kString, kArray, kObject };
  Kind kind = Kind::kNull;
  bool boolean = false;
  std::int64_t number = 0;  // a number's integer part
  double real = 0;          // a number's whole value
  std::string text;
  std::vector<JsonValue> items;   // an array's items, or an object's values
  std::vector<std::string> keys;  // an object's names, one for each of its values

  // The member `name` of an object, or null.
  const JsonValue* Find(std::string_view name) const {
    for (std::size_t i = 0; i < keys.size(); ++i) {
      if (keys[i] == name) {
        return &items[i];
      }
    }
    return nullptr;
  }
};

class JsonReader {
 public:
  // The value `text` holds, or none when it is not exactly one valid value.
  static std::optional<JsonValue> Parse(std::string_view text) {
    JsonReader reader(text);
    JsonValue value;
    if (!reader.Value(value, 0)) {
      return std::nullopt;
    }
    reader.SkipSpace();
    if (reader.at_ != text.size()) {
      return std::nullopt;
    }
    return value;
  }

 private:
  explicit JsonReader(std::string_view text) : text_(text) {}

  static constexpr int kDeepest = 16;

  void SkipSpace() {
    while (at_ < text_.size() &&
           (text_[at_] == ' ' || text_[at_] == '\n' || text_[at_] == '\r' || text_[at_] == '\t')) {
      ++at_;
    }
  }
  bool Take(char c) {
    SkipSpace();
    if (at_ < text_.size() && text_[at_] == c) {
      ++at_;
      return true;
    }
    return false;
  }
  bool Word(std::string_view word) {
    if (text_.substr(at_, word.size()) != word) {
      return false;
    }
    at_ += word.size();
    return true;
  }

  bool Value(JsonValue& value, int depth) {
    SkipSpace();
    if (at_ >= text_.size() || depth > kDeepest) {
      return false;
    }
    const char c = text_[at_];
    if (c == '{') {
      value.kind = JsonValue::Kind::kObject;
      return Object(value, depth);
    }
    if (c == '[') {
      value.kind = JsonValue::Kind::kArray;
      return Array(value, depth);
    }
    if (c == '"') {
      value.kind = JsonValue::Kind::kString;
      return String(value.text);
    }
    if (c == '-' || (c >= '0' && c <= '9')) {
      value.kind = JsonValue::Kind::kNumber;
      return Number(value.number, value.real);
    }
    if (Word("true") || Word("false")) {
      value.kind = JsonValue::Kind::kBool;
      value.boolean = c == 't';
      return true;
    }
    return Word("null");
  }

  bool Object(JsonValue& value, int depth) {
    ++at_;
    if (Take('}')) {
      return true;
    }
    do {
      std::string key;
      JsonValue member;
      SkipSpace();
      if (!String(key) || !Take(':') || !Value(member, depth + 1)) {
        return false;
      }
      value.keys.push_back(std::move(key));
      value.items.push_back(std::move(member));
    } while (Take(','));
    return Take('}');
  }

  bool Array(JsonValue& value, int depth) {
    ++at_;
    if (Take(']')) {
      return true;
    }
    do {
      JsonValue item;
      if (!Value(item, depth + 1)) {
        return false;
      }
      value.items.push_back(std::move(item));
    } while (Take(','));
    return Take(']');
  }

  // An integer of up to 18 digits, then a fraction and an exponent, as JSON spells them (the
  // judge's score is one).
  bool Number(std::int64_t& number, double& real) {
    const std::size_t first = at_;
    const bool negative = text_[at_] == '-';
    at_ += negative ? 1 : 0;
    const std::size_t start = at_;
    std::uint64_t value = 0;
    while (at_ < text_.size() && text_[at_] >= '0' && text_[at_] <= '9') {
      value = value * 10 + static_cast<std::uint64_t>(text_[at_++] - '0');
    }
    const std::size_t digits = at_ - start;
    if (digits == 0 || digits > 18 || (digits > 1 && text_[start] == '0')) {
      return false;
    }
    number = negative ? -static_cast<std::int64_t>(value) : static_cast<std::int64_t>(value);
    if (at_ < text_.size() && text_[at_] == '.') {
      ++at_;
      if (!Digits()) {
        return false;
      }
    }
    if (at_ < text_.size() && (text_[at_] == 'e' || text_[at_] == 'E')) {
      ++at_;
      at_ += at_ < text_.size() && (text_[at_] == '+' || text_[at_] == '-') ? 1 : 0;
      if (!Digits()) {
        return false;
      }
    }
    real = std::strtod(std::string(text_.substr(first, at_ - first)).c_str(), nullptr);
    return true;
  }

  // One or more decimal digits.
  bool Digits() {
    const std::size_t start = at_;
    while (at_ < text_.size() && text_[at_] >= '0' && text_[at_] <= '9') {
      ++at_;
    }
    return at_ > start;
  }

  bool String(std::string& out) {
    if (at_ >= text_.size() || text_[at_] != '"') {
      return false;
    }
    for (++at_; at_ < text_.size(); ++at_) {
      const auto c = static_cast<unsigned char>(text_[at_]);
      if (c == '"') {
        ++at_;
        return true;
      }
      if (c < 0x20 || c > 0x7E) {
        return false;
      }
      if (c != '\\') {
        out.push_back(static_cast<char>(c));
      } else if (!Escape(out)) {
        return false;
      }
    }
    return false;
  }

  bool Escape(std::string& out) {
    if (++at_ >= text_.size()) {
      return false;
    }
    constexpr std::string_view kShort = "\"\"\\\\//b\bf\fn\nr\rt\t";
    const char c = text_[at_];
    for (std::size_t i = 0; i < kShort.size(); i += 2) {
      if (kShort[i] == c) {
        out.push_back(kShort[i + 1]);
        return true;
      }
    }
    if (c != 'u' || at_ + 4 >= text_.size()) {
      return false;
    }
    unsigned code = 0;
    for (int i = 0; i < 4; ++i) {
      const char digit = text_[++at_];
      const auto hex = std::string_view("0123456789abcdefABCDEF").find(digit);
      if (hex == std::string_view::npos) {
        return false;
      }
      code = code * 16 + static_cast<unsigned>(hex < 16 ? hex : hex - 6);
    }
    if (code > 0xFF) {
      return false;
    }
    out.push_back(static_cast<char>(code));
    return true;
  }

  std::string_view text_;
  std::size_t at_ = 0;
};
