// The one route for problems found in content: it names the file, the line,
// the record and the key for the modder, and hands the game's own report on
// (a warning line, the assertion dialog, or a fatal error) so the player sees
// the game's words and the log gets the detail.
#pragma once

#include <functional>
#include <string>
#include <string_view>

enum class DataSeverity {
    Warning,  // logged through Trace; the item is used or skipped
    Error,    // reported through Assert; the item is skipped, the game goes on
    Fatal,    // FatalError: the game cannot run without this data
};

struct DataLocation {
    std::string file;
    int line = 0;         // 0 when the problem is not on one line
    std::string record;   // the record's name, when known
    std::string key;      // the field or key, when known
};

// "file:line: record 'X', key 'Y': problem"
std::string DescribeDataProblem(const DataLocation& where, std::string_view problem);

// `problem` is the game's own message for the case (for Fatal it is the text
// FatalError shows); `source` and `sourceLine` name the reporting module.
void ReportDataProblem(DataSeverity severity, const DataLocation& where, std::string_view problem,
                       std::string_view source, int sourceLine);

// Problems reported since start-up (warnings not counted).
int DataErrorCount();

// While a collector is set, every problem goes to it (and the log) instead of
// the game's reports, so a data check can list them all: even a fatal one
// does not end the program, and the loaders go on past it.
using DataProblemCollector =
    std::function<void(DataSeverity, const DataLocation&, std::string_view problem)>;
void SetDataProblemCollector(DataProblemCollector collector);
