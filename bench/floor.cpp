// `bench_floor INPUT SUBMISSION` is the least that any reader of the two files must do, and the
// yardstick of the benchmark table: it reads both files through one warm buffer, counts the '#'
// of every picture row sixteen cells at a step, and parses the numbers of every other line
// (five on the task input's size lines, one on a block's number and count lines, four on a
// rectangle), checking nothing. It reads lines the fastest way known here, the evaluator's own:
// a row ends where its width says, a line of short numbers is tokenized sixteen bytes at a time
// and ends right after them, and only other lines are searched for their end with memchr. It
// prints a sum of what it read, so that nothing is optimised away. It must never be slower than
// the evaluator: a slower floor flatters every ratio.
#include <fcntl.h>
#include <unistd.h>

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <string_view>
#include <vector>

#include "base/plain_numbers.h"

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace {
long long CountHashes(const char* p, std::size_t size) {
  long long count = 0;
#if defined(__SSE2__)
  const __m128i hash = _mm_set1_epi8('#');
  const __m128i zero = _mm_setzero_si128();
  const char* const end = p + size;
  while (end - p >= 16) {
    // Byte lanes count up to 255 matches before they are summed.
    const std::size_t steps = std::min<std::size_t>(static_cast<std::size_t>(end - p) / 16, 255);
    __m128i lanes = zero;
    for (std::size_t i = 0; i < steps; ++i, p += 16) {
      const __m128i cells = _mm_loadu_si128(reinterpret_cast<const __m128i*>(p));
      lanes = _mm_sub_epi8(lanes, _mm_cmpeq_epi8(cells, hash));
    }
    const __m128i sums = _mm_sad_epu8(lanes, zero);
    count += _mm_cvtsi128_si32(sums) + _mm_cvtsi128_si32(_mm_srli_si128(sums, 8));
  }
  if (p != end && size >= 16) {
    // The last cells again as one step that ends at the end, without the cells counted above.
    const auto tail = static_cast<unsigned>(end - p);
    const __m128i cells = _mm_loadu_si128(reinterpret_cast<const __m128i*>(end - 16));
    const auto matches = static_cast<unsigned>(_mm_movemask_epi8(_mm_cmpeq_epi8(cells, hash)));
    return count + __builtin_popcount(matches >> (16 - tail));
  }
  size = static_cast<std::size_t>(end - p);
#endif
  for (std::size_t i = 0; i < size; ++i) count += p[i] == '#';
  return count;
}

// Parses up to `most` numbers from the start of `line` into `values`; returns how many.
int ParseNumbers(std::string_view line, int most, long long* values) {
  const char* p = line.data();
  const char* const end = p + line.size();
  int count = 0;
  while (count < most) {
    while (p < end && (*p == ' ' || *p == '\t' || *p == '\r')) ++p;
    const bool negative = p < end && *p == '-';
    if (negative || (p < end && *p == '+'))
      ++p;
    if (p == end || *p < '0' || *p > '9')
      break;
    // Unsigned, so that a number too long for 64 bits wraps instead of overflowing.
    unsigned long long value = 0;
    while (p < end && *p >= '0' && *p <= '9')
      value = value * 10 + static_cast<unsigned>(*p++ - '0');
    values[count++] = static_cast<long long>(negative ? 0 - value : value);
  }
  return count;
}

// What is read of one file, a line at a time. A line longer than the read buffer arrives as
// its start, through Line, and then the rest in pieces, through More. Like any reader, it knows
// what comes next: in the task input, a size line's picture rows; in a submission, after its
// two header lines, a block's test number, its count and that many rectangles.
class Reading {
 public:
  explicit Reading(bool submission) : submission_(submission), headerLeft_(submission ? 2 : 0) {}
  long long Sum() const { return sum_; }

  void Line(std::string_view line) {
    if (pictureRowsLeft_ > 0) {
      --pictureRowsLeft_;
      inPicture_ = true;
      sum_ += CountHashes(line.data(), line.size());
      return;
    }
    inPicture_ = false;
    long long values[5];
    const int count = ParseNumbers(line, submission_ ? 4 : 5, values);
    for (int i = 0; i < count; ++i) sum_ += values[i];
    if (!submission_ && count == 5) {  // a size line: number w h a b
      pictureRowsLeft_ = values[2];
      rowWidth_ = values[1];
    }
    if (submission_) {
      if (headerLeft_ > 0) {
        --headerLeft_;
      } else if (count > 0) {
        Numbers(values[0]);
      }
    }
  }
  void More(std::string_view piece) {
    if (inPicture_)
      sum_ += CountHashes(piece.data(), piece.size());
  }

  // Calls Line for every line of `text`; returns the start of an unfinished last line.
  const char* Lines(std::string_view text, bool last) {
    const char* next = text.data();
    const char* const end = next + text.size();
    while (next < end) {
      // A line of a few short numbers, as most of a submission is, tokenized as the evaluator
      // tokenizes it: its numbers found sixteen bytes at a time, and its end right after them.
      if (submission_ && headerLeft_ == 0 && end - next >= 64) {
        int a = 0;
        int b = 0;
        int c = 0;
        int d = 0;
        const char* after =
            rectsLeft_ > 0 ? plain_numbers::Scan(next, a, b, c, d) : plain_numbers::Scan(next, a);
        if (after != nullptr && *after == '\n') {
          sum_ += static_cast<long long>(a) + b + c + d;
          Numbers(a);
          next = after + 1;
          continue;
        }
      }
      // A picture row ends where its width says: no search for the line end.
      if (pictureRowsLeft_ > 0 && rowWidth_ > 0 && end - next > rowWidth_ &&
          next[rowWidth_] == '\n') {
        Line(std::string_view(next, static_cast<std::size_t>(rowWidth_)));
        next += rowWidth_ + 1;
        continue;
      }
      const void* lf = std::memchr(next, '\n', static_cast<std::size_t>(end - next));
      if (lf == nullptr && !last)
        break;
      const char* stop = lf != nullptr ? static_cast<const char*>(lf) : end;
      Line(std::string_view(next, static_cast<std::size_t>(stop - next)));
      next = stop + 1;
    }
    return std::min(next, end);
  }

 private:
  // A line of numbers of a submission's blocks, the first of them `first`.
  void Numbers(long long first) {
    if (rectsLeft_ > 0) {
      --rectsLeft_;
    } else if (countNext_) {
      rectsLeft_ = first;
      countNext_ = false;
    } else {
      countNext_ = true;
    }
  }

  bool submission_;
  int headerLeft_;
  long long rectsLeft_ = 0;
  bool countNext_ = false;
  long long sum_ = 0;
  long long pictureRowsLeft_ = 0;
  long long rowWidth_ = 0;
  bool inPicture_ = false;
};

// Reads through one buffer that stays in the cache; an unfinished line moves to its front.
// Measured against mapping the file (with and without MAP_POPULATE) and against a 1 MiB
// buffer, a 128 KiB buffer read with read(2) was the fastest on every workload.
constexpr std::size_t kBuffer = std::size_t{1} << 17;

void ReadThrough(int fd, Reading& reading) {
  std::vector<char> buffer(kBuffer);
  std::size_t kept = 0;
  bool skipping = false;  // inside a line longer than the buffer
  for (;;) {
    const ssize_t got = read(fd, buffer.data() + kept, buffer.size() - kept);
    if (got < 0)
      return;
    const char* from = buffer.data();
    const char* const end = from + kept + static_cast<std::size_t>(got);
    if (skipping) {
      const void* lf = std::memchr(from, '\n', static_cast<std::size_t>(end - from));
      const char* stop = lf != nullptr ? static_cast<const char*>(lf) : end;
      reading.More(std::string_view(from, static_cast<std::size_t>(stop - from)));
      skipping = lf == nullptr;
      from = std::min(stop + 1, end);
    }
    const char* rest =
        reading.Lines(std::string_view(from, static_cast<std::size_t>(end - from)), got == 0);
    kept = static_cast<std::size_t>(end - rest);
    if (got == 0)
      return;
    if (kept == buffer.size()) {
      reading.Line(std::string_view(buffer.data(), kept));
      skipping = true;
      kept = 0;
    }
    std::memmove(buffer.data(), rest, kept);
  }
}

long long Read(const char* path, bool submission) {
  Reading reading(submission);
  const int fd = open(path, O_RDONLY);
  if (fd < 0) {
    std::perror(path);
    return 0;
  }
  ReadThrough(fd, reading);
  close(fd);
  return reading.Sum();
}
}  // namespace

int main(int argc, char** argv) {
  if (argc != 3) {
    std::fprintf(stderr, "usage: bench_floor INPUT SUBMISSION\n");
    return 2;
  }
  std::printf("%lld\n", Read(argv[1], false) + Read(argv[2], true));
  return 0;
}
