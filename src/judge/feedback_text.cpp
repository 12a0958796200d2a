#include "judge/feedback_text.h"

#include "base/printable.h"

FeedbackSink::FeedbackSink(TextSink& out, std::size_t cap, std::string_view lineEnd)
    : out_(out), cap_(cap), lineEnd_(lineEnd) {}

void FeedbackSink::Write(std::string_view text) {
  for (const char c : text) {
    if (full_) {
      return;
    }
    const auto byte = static_cast<unsigned char>(c);
    if (pendingCr_) {
      pendingCr_ = false;
      if (byte == '\n') {
        EndLine();
        continue;
      }
      Byte('\r');
    }
    if (byte == '\r') {
      pendingCr_ = true;
    } else if (byte == '\n') {
      EndLine();
    } else {
      Byte(byte);
    }
  }
}

void FeedbackSink::Finish() {
  if (pendingCr_ && !full_) {
    pendingCr_ = false;
    Byte('\r');
  }
}

void FeedbackSink::Byte(unsigned char c) {
  char shown[4];
  Piece(std::string_view(shown, PrintableByte(static_cast<char>(c), shown)));
}

void FeedbackSink::Piece(std::string_view piece) {
  if (lineCut_) {
    return;
  }
  if (lineBytes_ + piece.size() + kCutMark.size() > kLineCap) {
    lineCut_ = true;
    cut_ = true;
    piece = kCutMark;
  }
  if (Fits(piece)) {
    lineBytes_ += piece.size();
  }
}

void FeedbackSink::EndLine() {
  if (Fits(lineEnd_)) {
    lineBytes_ = 0;
    lineCut_ = false;
  }
}

bool FeedbackSink::Fits(std::string_view text) {
  // Room is kept for the final mark and a line end after it.
  if (written_ + text.size() + kCutMark.size() + lineEnd_.size() > cap_) {
    out_.Write(kCutMark);
    out_.Write(lineEnd_);
    written_ += kCutMark.size() + lineEnd_.size();
    full_ = true;
    cut_ = true;
    return false;
  }
  out_.Write(text);
  written_ += text.size();
  return true;
}
