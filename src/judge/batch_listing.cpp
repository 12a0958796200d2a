#include "judge/batch_listing.h"

#include <algorithm>
#include <filesystem>
#include <system_error>

namespace fs = std::filesystem;

namespace {
bool IsFolder(const fs::path& path) {
  std::error_code error;
  return fs::symlink_status(path, error).type() == fs::file_type::directory;
}

bool SameFile(const fs::path& a, const fs::path& b) {
  std::error_code error;
  return fs::equivalent(a, b, error) && !error;
}

void AddFolder(const fs::path& folder, const fs::path& skip, std::vector<std::string>& paths) {
  std::vector<fs::path> entries;
  std::error_code error;
  for (fs::directory_iterator entry(folder, error), end; !error && entry != end;
       entry.increment(error)) {
    const fs::path::string_type name = entry->path().filename().native();
    if (!name.empty() && name[0] != '.') {
      entries.push_back(entry->path());
    }
  }
  if (error) {
    paths.push_back(folder.string());
    return;
  }
  std::sort(entries.begin(), entries.end());
  for (const fs::path& entry : entries) {
    if (!IsFolder(entry)) {
      paths.push_back(entry.string());
    } else if (!SameFile(entry, skip)) {
      AddFolder(entry, skip, paths);
    }
  }
}
}  // namespace

std::vector<std::string> ListSubmissions(const std::vector<std::string>& given,
                                         const std::string& skip) {
  std::vector<std::string> paths;
  for (const std::string& path : given) {
    std::error_code error;
    if (fs::is_directory(path, error)) {
      AddFolder(path, skip, paths);
    } else {
      paths.push_back(path);
    }
  }
  return paths;
}
