/* Covers every cell, white ones too: check 148 rejects it wherever a picture has a white cell. */
#include <stdio.h>

static char row[1001];

int main(void) {
  char name[16];
  int tests;
  if (scanf("%15s %d", name, &tests) != 2) {
    return 1;
  }
  printf("000004\nZelmiranke\n");
  for (int t = 0; t < tests; ++t) {
    int k, w, h, a, b;
    if (scanf("%d %d %d %d %d", &k, &w, &h, &a, &b) != 5) {
      return 1;
    }
    for (int y = 0; y < h; ++y) {
      if (scanf("%1000s", row) != 1) {
        return 1;
      }
    }
    printf("%d\n%d\n", k, w * h);
    for (int y = 0; y < h; ++y) {
      for (int x = 0; x < w; ++x) {
        printf("%d %d 1 1\n", x, y);
      }
    }
  }
  return 0;
}
