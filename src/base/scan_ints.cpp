#include "base/scan_ints.h"

using scan_ints_detail::IsCSpace;
using scan_ints_detail::IsDigit;

bool IntStream::Feed(const char* p, const char* end) {
  for (; p < end && state_ != State::kDone; ++p) {
    const char c = *p;
    if (state_ == State::kDigits) {
      if (IsDigit(c)) {
        magnitude_ = scan_ints_detail::AddDigit(magnitude_, c);
        continue;
      }
      Store();
      if (state_ == State::kDone) {
        break;
      }
    }
    if (state_ == State::kSpace) {
      if (IsCSpace(c)) {
        continue;
      }
      negative_ = c == '-';
      if (c == '+' || c == '-') {
        state_ = State::kSign;
        continue;
      }
    }
    // After the blanks and the optional sign, a digit must follow.
    if (IsDigit(c)) {
      magnitude_ = static_cast<std::uint64_t>(c - '0');
      state_ = State::kDigits;
    } else {
      state_ = State::kDone;
    }
  }
  return state_ == State::kDone;
}

int IntStream::Finish() {
  if (state_ == State::kDigits) {
    Store();
  }
  state_ = State::kDone;
  return converted_;
}

void IntStream::Store() {
  values_[converted_++] = scan_ints_detail::Saturate(negative_, magnitude_);
  negative_ = false;
  state_ = converted_ == count_ ? State::kDone : State::kSpace;
}
