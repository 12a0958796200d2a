// zelmiranke-view: shows why a submission failed, as a picture of a block against its test
// case, with the evaluator's own reading and checking code.
//   zelmiranke-view input.txt submission.txt picture.svg [--block K] [--window N] [--at X,Y]
//                   [--lang sl|en]
#include "view/command.h"

int main(int argc, char** argv) {
  return RunView(argc, argv);
}
