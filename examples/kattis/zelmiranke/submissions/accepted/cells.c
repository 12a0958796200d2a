/* Reads the task input and covers every black cell with a rectangle of its own: always valid,
 * never the fewest rectangles. */
#include <stdio.h>

static char row[1001];

int main(void) {
  char name[16];
  int tests;
  if (scanf("%15s %d", name, &tests) != 2) {
    return 1;
  }
  printf("000001\nZelmiranke\n");
  for (int t = 0; t < tests; ++t) {
    static char picture[1000][1001];
    int k, w, h, a, b, black = 0;
    if (scanf("%d %d %d %d %d", &k, &w, &h, &a, &b) != 5) {
      return 1;
    }
    for (int y = 0; y < h && scanf("%1000s", row) == 1; ++y) {
      for (int x = 0; x < w; ++x) {
        picture[y][x] = row[x];
        black += row[x] == '#';
      }
    }
    /* A block has at least one rectangle; one of size 0 covers nothing. */
    printf("%d\n%d\n", k, black > 0 ? black : 1);
    if (black == 0) {
      printf("0 0 0 0\n");
    }
    for (int y = 0; y < h; ++y) {
      for (int x = 0; x < w; ++x) {
        if (picture[y][x] == '#') {
          printf("%d %d 1 1\n", x, y);
        }
      }
    }
  }
  return 0;
}
