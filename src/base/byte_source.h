// Where the evaluator's bytes come from: a file read in binary mode, or memory (tests, fuzzing).
// Line ends and the end-of-file byte are handled above this seam, so every platform delivers
// the same bytes.
#pragma once

#include <cstddef>
#include <cstdio>
#include <stdexcept>
#include <string>
#include <string_view>

// A read that fails for any reason other than the end of the file. It is not an EAssertion:
// the run reports it as an unexpected error, never as a missing line.
struct EReadError : std::runtime_error {
  using std::runtime_error::runtime_error;
};

class ByteSource {
 public:
  virtual ~ByteSource() = default;
  // Fills up to `size` bytes and returns how many it filled: 0 at the end of the input. Throws
  // EReadError when the input cannot be read.
  virtual std::size_t Read(char* buffer, std::size_t size) = 0;
};

// A file that cannot be opened, or a folder, reads as an empty file. Files are read, never
// mapped: a mapped file that another process shrinks would crash the run, and reading into a
// small buffer that stays in the cache costs less than faulting in mapped pages. A file that
// grows while it is read is read to its new end, like a pipe.
class FileSource : public ByteSource {
 public:
  explicit FileSource(const std::string& path);
  ~FileSource() override;
  FileSource(const FileSource&) = delete;
  FileSource& operator=(const FileSource&) = delete;
  std::size_t Read(char* buffer, std::size_t size) override;
  // Returns false when the file could not be opened or is a folder; it then reads as empty.
  bool IsOpen() const { return file_ != nullptr; }

  // Standard input, switched to binary mode (on Windows it starts in text mode); it stays open
  // when the source ends. Take it once, before anything else reads standard input.
  static FileSource StandardInput();

 private:
  FileSource(std::FILE* stream, bool owned);
  void Unbuffer();
  std::FILE* file_ = nullptr;
  bool owned_ = true;
};

class MemorySource : public ByteSource {
 public:
  explicit MemorySource(std::string_view bytes) : rest_(bytes) {}
  std::size_t Read(char* buffer, std::size_t size) override;

 private:
  std::string_view rest_;
};
