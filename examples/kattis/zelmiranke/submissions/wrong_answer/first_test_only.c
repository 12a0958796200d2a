/* Answers test 1 of each input alone, with a rectangle per black cell: rejected wherever a judge
 * test stands for another test as well. */
#include <stdio.h>

static char row[1001];

int main(void) {
  char name[16];
  int tests, k, w, h, a, b, black = 0;
  if (scanf("%15s %d %d %d %d %d %d", name, &tests, &k, &w, &h, &a, &b) != 7) {
    return 1;
  }
  static char picture[1000][1001];
  for (int y = 0; y < h && scanf("%1000s", row) == 1; ++y) {
    for (int x = 0; x < w; ++x) {
      picture[y][x] = row[x];
      black += row[x] == '#';
    }
  }
  printf("000003\nZelmiranke\n%d\n%d\n", k, black);
  for (int y = 0; y < h; ++y) {
    for (int x = 0; x < w; ++x) {
      if (picture[y][x] == '#') {
        printf("%d %d 1 1\n", x, y);
      }
    }
  }
  return 0;
}
