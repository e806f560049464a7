// Reading the hints table for one situation.
#include "aids/Hints.h"

#include "core/DataReport.h"
#include "core/FieldReader.h"
#include "core/TextFile.h"
#include "simulation/Network.h"
#include "simulation/Neuron.h"

namespace {

// Shorter lines, even ones beginning with "#", are headings and comments.
// The line end is not counted, so the last line of a file reads like the rest.
constexpr size_t kShortestRecord = 9;
// Name fields this short are padding (trailing commas, a stray blank).
constexpr size_t kShortestName = 3;

bool IsRecordLine(const std::string& line) {
    return line.size() >= kShortestRecord && line[0] == '#';
}

// Names are cut as the neurons' own names are, so a long name still matches.
std::string NameField(const std::string& field) {
    return field.substr(0, Neuron::kMaxNameLength);
}

bool IsBlank(const std::string& text) {
    return text.find_first_not_of(" \t") == std::string::npos;
}

}  // namespace

Hints& Hints::Instance() {
    static Hints hints;
    return hints;
}

void Hints::Reset() {
    suggestions_.clear();
    reported_.clear();
}

bool Hints::IsFirstReport(const std::string& path, int lineNumber, int field) {
    return reported_.insert({path, {lineNumber, field}}).second;
}

void Hints::LoadHints(const Neuron* situation, std::string_view path) {
    suggestions_.clear();
    if (!situation) return;
    const std::string file(path);
    const auto table = TextFile::Open(path);
    if (!table) {
        if (IsFirstReport(file, 0, 0)) {
            ReportDataProblem(DataSeverity::Error, {file, 0, "", ""}, "cannot open the hints file",
                              "Hints", __LINE__);
        }
        return;
    }
    for (size_t i = 0; i < table->LineCount(); ++i) {
        const std::string& line = table->Lines()[i];
        if (!IsRecordLine(line)) continue;
        const int lineNumber = static_cast<int>(i + 1);
        FieldReader fields(line);
        fields.NextField();
        const std::string name = NameField(fields.NextField());
        if (name.empty()) {
            if (IsFirstReport(file, lineNumber, 2)) {
                ReportDataProblem(DataSeverity::Warning, {file, lineNumber, "", "field 2"},
                                  "hint record names no situation", "Hints", __LINE__);
            }
            continue;
        }
        // Only the first record for a situation counts.
        if (name == situation->Name()) {
            AddSuggestions(line, file, lineNumber, name);
            return;
        }
    }
}

void Hints::AddSuggestions(const std::string& line, const std::string& path, int lineNumber,
                           const std::string& situation) {
    FieldReader fields(line);
    fields.NextField();
    fields.NextField();
    bool namesAny = false;
    for (int number = 3; !fields.AtEnd(); ++number) {
        const std::string name = NameField(fields.NextField());
        namesAny = namesAny || !IsBlank(name);
        if (name.size() < kShortestName) {
            if (!IsBlank(name) && IsFirstReport(path, lineNumber, number)) {
                ReportDataProblem(DataSeverity::Warning,
                                  {path, lineNumber, situation, "field " + std::to_string(number)},
                                  "names of two characters or fewer are skipped: '" + name + "'",
                                  "Hints", __LINE__);
            }
            continue;
        }
        if (Neuron* neuron = Network::FindByName(name)) {
            suggestions_.push_back(neuron);
        } else if (IsFirstReport(path, lineNumber, number)) {
            ReportDataProblem(DataSeverity::Warning,
                              {path, lineNumber, situation, "field " + std::to_string(number)},
                              "Solution not found: no neuron named '" + name + "'", "Hints",
                              __LINE__);
        }
    }
    if (!namesAny && IsFirstReport(path, lineNumber, 3)) {
        ReportDataProblem(DataSeverity::Warning, {path, lineNumber, situation, "field 3"},
                          "hint record suggests no policy", "Hints", __LINE__);
    }
}
