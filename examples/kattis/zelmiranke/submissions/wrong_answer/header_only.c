/* Answers no test at all: a valid submission that earns nothing. */
#include <stdio.h>

int main(void) {
  printf("000002\nZelmiranke\n");
  return 0;
}
