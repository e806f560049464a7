// Routing of content problems to the log, the assertion dialog or a fatal error.
#include "core/DataReport.h"

#include <cstdio>

#include "engine/DebugLog.h"
#include "engine/Diagnostics.h"

namespace {
int g_dataErrors = 0;
DataProblemCollector g_collector;
}

std::string DescribeDataProblem(const DataLocation& where, std::string_view problem) {
    std::string text = where.file.empty() ? "(no file)" : where.file;
    if (where.line > 0) text += ":" + std::to_string(where.line);
    text += ":";
    if (!where.record.empty()) text += " record '" + where.record + "'";
    if (!where.key.empty()) text += std::string(where.record.empty() ? "" : ",") + " key '" + where.key + "'";
    if (!where.record.empty() || !where.key.empty()) text += ":";
    text += " ";
    text += problem;
    return text;
}

void ReportDataProblem(DataSeverity severity, const DataLocation& where, std::string_view problem,
                       std::string_view source, int sourceLine) {
    const std::string detail = DescribeDataProblem(where, problem);
    const char* label = severity == DataSeverity::Warning ? "data warning: " : "data error: ";
    Log(label + detail);
    if (g_collector) {
        g_collector(severity, where, problem);
        return;
    }
    const bool toStandardError = ReportsToStandardError();
    // A fatal problem is told once, by the fatal error, with where it is.
    if (severity == DataSeverity::Error && toStandardError) {
        std::fprintf(stderr, "polity: %s%s\n", label, ForReader(detail).c_str());
    }
    switch (severity) {
        case DataSeverity::Warning:
            Trace(source, problem, sourceLine);
            break;
        case DataSeverity::Error:
            ++g_dataErrors;
            // The line above told the reader; the assertion report is the
            // developer's and goes to the log alone.
            SetReportsToStandardError(false);
            Assert(false, source, sourceLine);
            SetReportsToStandardError(toStandardError);
            break;
        case DataSeverity::Fatal:
            ++g_dataErrors;
            FatalError(detail, source, sourceLine);
    }
}

int DataErrorCount() { return g_dataErrors; }

void SetDataProblemCollector(DataProblemCollector collector) { g_collector = std::move(collector); }
