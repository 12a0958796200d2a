#include "view/scale.h"

#include <algorithm>
#include <cstdlib>
#include <iterator>

double CellPixels(int width, int height) {
  return std::clamp(kGridPixels / std::max({width, height, 1}), kLeastCellPixels, kMostCellPixels);
}

std::vector<int> RulerNumbers(int first, int last, double cellPixels, int digits,
                              std::optional<int> named) {
  const double apart = digits * kDigitPixels + kRulerGap;
  int step = kRulerSteps[std::size(kRulerSteps) - 1];
  for (const int candidate : kRulerSteps) {
    if (candidate * cellPixels >= apart) {
      step = candidate;
      break;
    }
  }
  if (named && (*named < first || *named > last)) {
    named.reset();
  }
  std::vector<int> numbers;
  for (int number = (first + step - 1) / step * step; number <= last; number += step) {
    if (!named || std::abs(number - *named) * cellPixels >= apart) {
      numbers.push_back(number);
    }
  }
  if (named) {
    numbers.insert(std::lower_bound(numbers.begin(), numbers.end(), *named), *named);
  }
  return numbers;
}

int RulerDigits(int w, int h) {
  int digits = 1;
  for (int largest = std::max(w, h) - 1; largest >= 10; largest /= 10) {
    ++digits;
  }
  return digits;
}
