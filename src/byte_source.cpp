#include "byte_source.h"

#include <algorithm>
#include <cstring>
#include <filesystem>
#include <system_error>

#if defined(__unix__) || defined(__APPLE__)
#include <sys/mman.h>
#include <sys/stat.h>
#define ZEL_HAVE_MMAP 1
#endif

FileSource::FileSource(const std::string& path) {
  std::error_code error;
  if (std::filesystem::is_directory(path, error)) {
    return;
  }
  file_ = std::fopen(path.c_str(), "rb");
  if (file_ != nullptr) {
    // The line reader reads in large chunks; a second buffer below it would only copy.
    std::setvbuf(file_, nullptr, _IONBF, 0);
  }
}

FileSource::~FileSource() {
#ifdef ZEL_HAVE_MMAP
  if (mapping_ != nullptr) {
    munmap(mapping_, mappedSize_);
  }
#endif
  if (file_ != nullptr) {
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

std::string_view FileSource::Mapped() {
#ifdef ZEL_HAVE_MMAP
  struct stat status {};
  if (mapping_ == nullptr && file_ != nullptr && fstat(fileno(file_), &status) == 0 &&
      S_ISREG(status.st_mode) && status.st_size > 0) {
    const auto size = static_cast<std::size_t>(status.st_size);
    void* mapping = mmap(nullptr, size, PROT_READ, MAP_PRIVATE, fileno(file_), 0);
    if (mapping != MAP_FAILED) {
      madvise(mapping, size, MADV_SEQUENTIAL);
      mapping_ = mapping;
      mappedSize_ = size;
    }
  }
#endif
  return mapping_ == nullptr ? std::string_view()
                             : std::string_view(static_cast<const char*>(mapping_), mappedSize_);
}

std::size_t MemorySource::Read(char* buffer, std::size_t size) {
  const std::size_t got = std::min(size, rest_.size());
  std::memcpy(buffer, rest_.data(), got);
  rest_.remove_prefix(got);
  return got;
}
