// The report: "OK" with the entry list, one failure line and "-1", or the fixed
// unexpected-error text. Line ends are written explicitly, LF on POSIX systems and CR LF on
// Windows, since the file is written in binary mode.
#pragma once

#include <string_view>

#include "base/text_sink.h"
#include "eval/assertion.h"
#include "eval/report_entries.h"

#ifdef _WIN32
inline constexpr std::string_view kLineEnd = "\r\n";
#else
inline constexpr std::string_view kLineEnd = "\n";
#endif

// The first line of the OK report and the text of the unexpected-error report.
inline constexpr std::string_view kOkLine = "OK";
inline constexpr std::string_view kUnexpectedLine =
    "Nepricakovana napaka.  Predlagamo, da obvestis organizatorje tekmovanja.";

void WriteOkReport(TextSink& report, const ReportEntryList& entries);
void WriteFailureReport(TextSink& report, const EAssertion& assertion);
void WriteUnexpectedReport(TextSink& report);

// The failure line without its line end, piece by piece, so that a long quoted line in the
// message is never copied.
void WriteFailureLine(TextSink& report, const EAssertion& assertion);
