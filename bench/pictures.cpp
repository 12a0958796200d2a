// The pictures of the workloads and the files that hold them.
#include <algorithm>
#include <cstdlib>
#include <cstring>

#include "workload.h"

namespace workload {
Writer::Writer(const std::string& path) : file_(std::fopen(path.c_str(), "wb")) {
  if (file_ == nullptr) {
    std::perror(path.c_str());
    std::exit(1);
  }
}

Picture Blobs() {
  Picture picture;
  picture.a = Uniform(5, 50);
  picture.b = Uniform(5, 50);
  for (int blob = 0; blob < 150; ++blob) {
    const int cx = Uniform(0, kSide - 1);
    const int cy = Uniform(0, kSide - 1);
    const int r = Uniform(10, 70);
    for (int y = std::max(0, cy - r); y < std::min(kSide, cy + r + 1); ++y) {
      for (int x = std::max(0, cx - r); x < std::min(kSide, cx + r + 1); ++x) {
        if ((x - cx) * (x - cx) + (y - cy) * (y - cy) <= r * r)
          picture.At(x, y) = '#';
      }
    }
  }
  return picture;
}

Picture Noise() {
  Picture picture;
  picture.a = picture.b = 1;
  for (char& cell : picture.cells) cell = Uniform(0, 1) ? '#' : '.';
  return picture;
}

Picture AllBlack() {
  Picture picture;
  picture.a = picture.b = kSide;
  std::fill(picture.cells.begin(), picture.cells.end(), '#');
  return picture;
}

void WriteInput(const std::string& dir, const std::vector<Picture>& pictures) {
  Writer out(dir + "/input.txt");
  out.Line("Zelmiranke");
  out.Line(std::to_string(pictures.size()));
  for (std::size_t i = 0; i < pictures.size(); ++i) {
    out.Line("");
    out.Line(std::to_string(i + 1) + " 1000 1000 " + std::to_string(pictures[i].a) + " " +
             std::to_string(pictures[i].b));
    for (int y = 0; y < kSide; ++y) {
      out.Line(std::string(&pictures[i].cells[static_cast<std::size_t>(y) * kSide], kSide));
    }
  }
}

// A disjoint cover, greedy in row-major order, each rectangle as large as the limit allows.
std::vector<std::string> GreedyCover(Picture picture, const std::string& trailing) {
  const int maxWidth = std::max(picture.a, picture.b);
  const int maxHeight = std::min(picture.a, picture.b);
  std::vector<std::string> lines;
  for (int y = 0; y < kSide; ++y) {
    for (int x = 0; x < kSide; ++x) {
      if (picture.At(x, y) != '#')
        continue;
      int width = 1;
      while (width < maxWidth && x + width < kSide && picture.At(x + width, y) == '#') ++width;
      int height = 1;
      while (height < maxHeight && y + height < kSide &&
             std::all_of(&picture.At(x, y + height), &picture.At(x, y + height) + width,
                         [](char c) { return c == '#'; })) {
        ++height;
      }
      for (int row = y; row < y + height; ++row) {
        std::memset(&picture.At(x, row), 'c', static_cast<std::size_t>(width));
      }
      lines.push_back(std::to_string(x) + " " + std::to_string(y) + " " + std::to_string(width) +
                      " " + std::to_string(height) + trailing);
    }
  }
  return lines;
}

void WriteCovers(const std::string& dir, const std::vector<Picture>& pictures,
                 const std::string& trailing) {
  Writer out(dir + "/submission.txt");
  out.Line("123456");
  out.Line("Zelmiranke");
  for (std::size_t i = 0; i < pictures.size(); ++i) {
    const auto lines = GreedyCover(pictures[i], trailing);
    out.Line(std::to_string(i + 1));
    out.Line(std::to_string(lines.size()));
    for (const std::string& line : lines) out.Line(line);
  }
}
}  // namespace workload
