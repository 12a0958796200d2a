// What the workloads of bench_generate share: 1000 x 1000 pictures, files written whole, one
// stream of random numbers (so that the same name always gives the same bytes), and blocks of
// rectangle lines.
#pragma once

#include <cstdio>
#include <random>
#include <string>
#include <vector>

namespace workload {
inline constexpr int kSide = 1000;

struct Picture {
  int a = 0;
  int b = 0;
  std::vector<char> cells = std::vector<char>(kSide * kSide, '.');
  char& At(int x, int y) { return cells[static_cast<std::size_t>(y) * kSide + x]; }
};

// A file written from start to end; the program stops when it cannot be created.
class Writer {
 public:
  explicit Writer(const std::string& path);
  ~Writer() { std::fclose(file_); }
  Writer(const Writer&) = delete;
  Writer& operator=(const Writer&) = delete;
  void Put(const std::string& text) { std::fwrite(text.data(), 1, text.size(), file_); }
  void Line(const std::string& text) {
    Put(text);
    Put("\n");
  }

 private:
  std::FILE* file_;
};

// Every random choice of every workload, in the order the workload makes them.
inline std::mt19937 random(20261208);
inline int Uniform(int low, int high) {
  return std::uniform_int_distribution<int>(low, high)(random);
}

// The lines of one block's rectangles.
struct Block {
  std::vector<std::string> lines;
  void Add(int x, int y, int width, int height) {
    lines.push_back(std::to_string(x) + " " + std::to_string(y) + " " + std::to_string(width) +
                    " " + std::to_string(height));
  }
};

// Pictures of round blobs (limits 5..50), of noise (limit 1 x 1), and all black (limit 1000).
Picture Blobs();
Picture Noise();
Picture AllBlack();

// DIR/input.txt holding `pictures` as test cases 1, 2, ...
void WriteInput(const std::string& dir, const std::vector<Picture>& pictures);
// DIR/submission.txt covering each picture in one block by a greedy disjoint cover, every
// rectangle line followed by `trailing`.
void WriteCovers(const std::string& dir, const std::vector<Picture>& pictures,
                 const std::string& trailing);
std::vector<std::string> GreedyCover(Picture picture, const std::string& trailing);

// Writes the workload `name` of the shapes that defeat one way of checking coverage or another
// (shapes.cpp) into DIR; false when `name` is not one of them.
bool Shape(const std::string& name, const std::string& dir);
}  // namespace workload
