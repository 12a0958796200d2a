#include "view_run.h"

#include "report.h"

void RunForView(const std::string& inputPath, const std::string& submissionPath,
                std::int64_t wantedBlock, ViewedRun& run) {
  run.facts.wantedBlock = wantedBlock;
  try {
    ReadTaskInput(inputPath, run.testCases, &run.facts);
    ReadSubmission(submissionPath, run.testCases, run.entries, &run.facts);
  } catch (EAssertion& assertion) {
    run.failure = std::move(assertion);
  } catch (...) {
    run.unexpected = true;
  }
}

void WriteFirstLine(const ViewedRun& run, const std::function<void(std::string_view)>& write) {
  if (run.unexpected) {
    write(kUnexpectedLine);
  } else if (run.failure) {
    WriteFailureLine(*run.failure, write);
  } else {
    write(kOkLine);
  }
}

std::string FirstLineHead(const ViewedRun& run, std::size_t limit) {
  std::string head;
  bool cut = false;
  WriteFirstLine(run, [&](std::string_view piece) {
    const std::size_t room = limit - head.size();
    cut = cut || piece.size() > room;
    head.append(piece.substr(0, room));
  });
  if (cut) {
    head.append(" ...");
  }
  return head;
}
