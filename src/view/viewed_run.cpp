#include "view/viewed_run.h"

namespace {
// Keeps the first `limit` bytes written and whether more came.
class HeadSink : public TextSink {
 public:
  explicit HeadSink(std::size_t limit) : limit_(limit) {}
  void Write(std::string_view text) override {
    const std::size_t room = limit_ - head_.size();
    cut_ = cut_ || text.size() > room;
    head_.append(text.substr(0, room));
  }
  std::string Head() const { return cut_ ? head_ + " ..." : head_; }

 private:
  std::size_t limit_;
  std::string head_;
  bool cut_ = false;
};
}  // namespace

std::string FirstLineHead(const ViewedRun& run, std::size_t limit) {
  HeadSink head(limit);
  WriteFirstLine(head, run.evaluation);
  return head.Head();
}
