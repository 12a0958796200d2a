// Writes the benchmark workloads: `bench_generate NAME DIR` creates DIR/input.txt and
// DIR/submission.txt for one workload. Deterministic: the same name gives the same bytes.
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "workload.h"

namespace {
using workload::AllBlack;
using workload::Picture;
using workload::WriteInput;
using workload::Writer;

void Repeated(const std::string& dir, bool blockEach) {
  WriteInput(dir, {AllBlack()});
  Writer out(dir + "/submission.txt");
  out.Line("123456");
  out.Line("Zelmiranke");
  if (!blockEach)
    out.Line("1\n1000000");
  for (int i = 0; i < 1000000; ++i)
    out.Put(blockEach ? "1\n1\n0 0 1000 1000\n" : "0 0 1000 1000\n");
}

// Resource bounds: a submission that is one line of two gigabytes without a line end, and a
// task input of a thousand full-size test cases (about one gigabyte).
void HugeLine(const std::string& dir) {
  WriteInput(dir, {AllBlack()});
  Writer out(dir + "/submission.txt");
  const std::string chunk(1 << 20, '7');
  for (long long written = 0; written < 2000000000LL;
       written += static_cast<long long>(chunk.size())) {
    out.Put(chunk);
  }
}

void HugeInput(const std::string& dir) {
  std::vector<Picture> pictures;
  for (int i = 0; i < 1000; ++i) {
    pictures.push_back(i % 10 == 0 ? workload::Blobs() : pictures.back());
  }
  WriteInput(dir, pictures);
  Writer out(dir + "/submission.txt");
  out.Line("123456");
  out.Line("Zelmiranke");
  const auto lines = workload::GreedyCover(pictures.back(), "");
  out.Line("1000");
  out.Line(std::to_string(lines.size()));
  for (const std::string& line : lines) out.Line(line);
}

constexpr const char* kNames =
    " realistic overlap blocks large cells long tall wide mixed rows columns halves random unions"
    " fewboxes copies fewlarge whiterows tiny hugeline hugeinput ";

std::vector<Picture> Many(int count, Picture (*make)()) {
  std::vector<Picture> pictures;
  for (int i = 0; i < count; ++i) pictures.push_back(make());
  return pictures;
}
}  // namespace

int main(int argc, char** argv) {
  const std::string name = argc == 3 ? argv[1] : "";
  if (argc != 3 || !std::strstr(kNames, (" " + name + " ").c_str())) {
    std::fprintf(stderr, "usage: bench_generate NAME DIR, NAME one of%s\n", kNames);
    return 2;
  }
  const std::string dir = argv[2];
  if (workload::Shape(name, dir)) {
    return 0;
  }
  if (name == "hugeline") {
    HugeLine(dir);
    return 0;
  }
  if (name == "hugeinput") {
    HugeInput(dir);
    return 0;
  }
  if (name == "overlap" || name == "blocks") {
    Repeated(dir, name == "blocks");
    return 0;
  }
  const int count = name == "large" ? 200 : 20;
  const auto pictures = Many(count, name == "cells" ? workload::Noise : workload::Blobs);
  WriteInput(dir, pictures);
  workload::WriteCovers(dir, pictures, name == "long" ? " " + std::string(999, 'x') : "");
  return 0;
}
