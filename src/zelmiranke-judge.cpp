// zelmiranke-judge: runs the evaluator the way a judge system runs its checker (Kattis and
// DOMjudge, CMS, testlib and ejudge) or gives the outcome as JSON.
//   zelmiranke-judge kattis|domjudge|cms|testlib|json ...
#include "judge/command.h"

int main(int argc, char** argv) {
  return RunJudge(argc, argv);
}
