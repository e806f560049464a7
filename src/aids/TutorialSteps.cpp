// Reading the guided tour's steps.
#include "aids/TutorialSteps.h"

#include "core/DataReport.h"
#include "core/FieldReader.h"
#include "core/TextFile.h"
#include "core/TextUtilities.h"

namespace {

constexpr const char* kSource = "Tutorialmanager";

bool IsRecordLine(const std::string& line) {
    return !line.empty() && line[0] == '#';
}

// A position that is not a number puts the window at 0 on that axis; the
// author hears about it, since the window then sits in a corner.
float Coordinate(const std::string& field, std::string_view path, int lineNumber, const char* key) {
    if (IsNumber(field)) return ParseFloat(field);
    ReportDataProblem(DataSeverity::Warning, {std::string(path), lineNumber, "", key},
                      "not a number: '" + field + "', the step window goes to 0", kSource,
                      __LINE__);
    return 0.0f;
}

}  // namespace

std::vector<std::string> TutorialSteps::SplitCommands(std::string_view field) {
    std::vector<std::string> names;
    size_t start = 0;
    while (start <= field.size()) {
        size_t end = field.find(',', start);
        if (end == std::string_view::npos) end = field.size();
        std::string name = TrimBlanks(field.substr(start, end - start));
        if (!name.empty()) names.push_back(std::move(name));
        start = end + 1;
    }
    return names;
}

TutorialStep TutorialSteps::ParseStep(std::string_view line, std::string_view path,
                                      int lineNumber) {
    TutorialStep step;
    step.line = lineNumber;
    FieldReader fields(line);
    fields.NextField();  // the author's label
    step.x = Coordinate(fields.NextField(), path, lineNumber, "x");
    step.y = Coordinate(fields.NextField(), path, lineNumber, "y");
    step.commands = SplitCommands(fields.NextField());
    step.text = fields.NextField();
    // An unquoted comma would cut the paragraph short: the rest is kept, and
    // the author is told to quote it.
    if (!fields.AtEnd()) {
        while (!fields.AtEnd()) step.text += "," + fields.NextField();
        ReportDataProblem(DataSeverity::Warning, {std::string(path), lineNumber, "", "text"},
                          "the text holds unquoted commas; put it in double quotes", kSource,
                          __LINE__);
    }
    return step;
}

bool TutorialSteps::Load(std::string_view path) {
    steps_.clear();
    const auto file = TextFile::Open(path);
    if (!file) {
        ReportDataProblem(DataSeverity::Error, {std::string(path), 0, "", ""},
                          "Failed to load tutorial file", kSource, __LINE__);
        return false;
    }
    for (size_t i = 0; i < file->LineCount(); ++i) {
        const std::string& line = file->Lines()[i];
        if (IsRecordLine(line)) steps_.push_back(ParseStep(line, path, int(i + 1)));
    }
    return true;
}
