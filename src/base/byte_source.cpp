#include "base/byte_source.h"

#include <algorithm>
#include <filesystem>
#include <system_error>

#ifdef _WIN32
#include <fcntl.h>
#include <io.h>
#endif

FileSource::FileSource(const std::string& path) {
  std::error_code error;
  if (std::filesystem::is_directory(path, error)) {
    return;
  }
  file_ = std::fopen(path.c_str(), "rb");
  Unbuffer();
}

FileSource::FileSource(std::FILE* stream, bool owned) : file_(stream), owned_(owned) {
  Unbuffer();
}

void FileSource::Unbuffer() {
  // The line reader reads in large chunks; a second buffer below it would only copy.
  if (file_ != nullptr) {
    std::setvbuf(file_, nullptr, _IONBF, 0);
  }
}

FileSource FileSource::StandardInput() {
#ifdef _WIN32
  _setmode(_fileno(stdin), _O_BINARY);
#endif
  return FileSource(stdin, false);
}

FileSource::~FileSource() {
  if (file_ != nullptr && owned_) {
    std::fclose(file_);
  }
}

std::size_t FileSource::Read(char* buffer, std::size_t size) {
  if (file_ == nullptr) {
    return 0;
  }
  const std::size_t got = std::fread(buffer, 1, size, file_);
  if (got == 0 && std::ferror(file_)) {
    throw EReadError("read error");
  }
  return got;
}

std::size_t MemorySource::Read(char* buffer, std::size_t size) {
  const std::size_t got = std::min(size, rest_.size());
  std::copy_n(rest_.data(), got, buffer);  // memcpy may not be given the null data of no bytes
  rest_.remove_prefix(got);
  return got;
}
