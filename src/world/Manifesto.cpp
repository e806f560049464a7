// Loading the manifesto options, choosing, checking and replacing pledges.
#include "world/Manifesto.h"

#include <algorithm>
#include <cctype>
#include <utility>

#include "core/DataReport.h"
#include "core/FieldReader.h"
#include "core/TextFile.h"
#include "core/TextUtilities.h"
#include "engine/Diagnostics.h"
#include "simulation/Network.h"

namespace {

constexpr const char* kSource = "Manifesto";

// Whole text is a decimal number (blanks around it allowed), so a typo such
// as "O.1" is reported instead of silently promising nothing.
bool IsDecimalNumber(std::string_view text) {
    size_t i = 0;
    auto skipBlanks = [&] {
        while (i < text.size() && std::isspace(static_cast<unsigned char>(text[i]))) ++i;
    };
    auto skipDigits = [&] {
        const size_t start = i;
        while (i < text.size() && std::isdigit(static_cast<unsigned char>(text[i]))) ++i;
        return i > start;
    };
    skipBlanks();
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) ++i;
    bool digits = skipDigits();
    if (i < text.size() && text[i] == '.') {
        ++i;
        digits = skipDigits() || digits;
    }
    if (!digits) return false;
    if (i < text.size() && (text[i] == 'e' || text[i] == 'E')) {
        ++i;
        if (i < text.size() && (text[i] == '+' || text[i] == '-')) ++i;
        if (!skipDigits()) return false;
    }
    skipBlanks();
    return i == text.size();
}

// Lines the game can use but that probably do not say what their writer
// meant; each is read as the classic game read it.
void ReportDoubtfulOption(const ManifestoOption& option, const std::string& changeText,
                          const std::string& directionText, DataLocation where) {
    where.key = "change";
    if (!IsDecimalNumber(changeText)) {
        ReportDataProblem(DataSeverity::Warning, where,
                          "change '" + changeText + "' is not a number, read as 0", kSource,
                          __LINE__);
    } else if (option.change == 0.0f) {
        ReportDataProblem(DataSeverity::Warning, where,
                          "a change of 0 promises nothing and is lost from saved games", kSource,
                          __LINE__);
    }
    where.key = "direction";
    if (directionText.empty() || (directionText[0] != '>' && directionText[0] != '<')) {
        ReportDataProblem(DataSeverity::Warning, where,
                          "direction '" + directionText +
                              "' is neither '>' (rise) nor '<' (fall), read as a fall",
                          kSource, __LINE__);
    }
    const bool against =
        option.direction == PledgeDirection::Rise ? option.change < 0.0f : option.change > 0.0f;
    if (against) {
        ReportDataProblem(
            DataSeverity::Warning, where,
            "the change points against the direction, so the pledge holds while the value "
            "moves the wrong way",
            kSource, __LINE__);
    }
}

const Neuron* FindPledgeNeuron(const ManifestoPledge& pledge) {
    return pledge.option ? Network::FindByName(pledge.option->neuronName) : nullptr;
}

}  // namespace

Manifesto& Manifesto::Instance() {
    static Manifesto manifesto;
    return manifesto;
}

void Manifesto::LoadOptions(std::string_view path) {
    ClearPledges();
    options_.clear();
    const auto file = TextFile::Open(path);
    if (!file) {
        ReportDataProblem(DataSeverity::Fatal, {std::string(path), 0, "", ""},
                          "Missing manifesto file", kSource, __LINE__);
        return;
    }
    for (size_t i = 0; i < file->LineCount(); ++i) {
        const std::string& line = file->Lines()[i];
        if (!line.empty() && line[0] == '#') LoadLine(line, file->Path(), static_cast<int>(i + 1));
    }
}

void Manifesto::LoadLine(const std::string& line, const std::string& path, int lineNumber) {
    FieldReader fields(line);
    fields.NextField();
    ManifestoOption option;
    option.displayText = fields.NextField();
    option.neuronName = fields.NextField();
    const std::string changeText = fields.NextField();
    const std::string directionText = fields.NextField();
    DataLocation where{path, lineNumber,
                       option.neuronName.empty() ? option.displayText : option.neuronName, ""};

    // An option without a value could never be pledged; offering it would
    // only make the window's choice fail.
    if (option.neuronName.empty()) {
        where.key = "neuron";
        ReportDataProblem(DataSeverity::Error, where, "manifesto option names no simulation value",
                          kSource, __LINE__);
        return;
    }
    option.change = ParseFloat(changeText);
    option.direction =
        directionText.rfind('>', 0) == 0 ? PledgeDirection::Rise : PledgeDirection::Fall;
    ReportDoubtfulOption(option, changeText, directionText, where);
    options_.push_back(std::move(option));
}

bool Manifesto::AddPledge(std::size_t optionIndex) {
    if (optionIndex >= options_.size()) {
        Trace(kSource, "No manifesto option", __LINE__);
        return false;
    }
    const ManifestoOption& option = options_[optionIndex];
    const Neuron* neuron = Network::FindByName(option.neuronName);
    if (!neuron) {
        Trace(kSource, "Failed to find manifesto neuron", __LINE__);
        return false;
    }
    next_.push_back({&option, option.change, neuron->Value()});
    return true;
}

void Manifesto::StartTerm() {
    live_ = std::move(next_);
    next_.clear();
}

void Manifesto::ClearPledges() {
    live_.clear();
    next_.clear();
    allKept_ = true;
}

void Manifesto::CheckPledges() {
    allKept_ = std::all_of(live_.begin(), live_.end(),
                           [](const ManifestoPledge& pledge) { return IsKept(pledge); });
}

float Manifesto::GetTarget(const ManifestoPledge& pledge) {
    return std::clamp((1.0f + pledge.change) * pledge.initialValue, 0.0f, 1.0f);
}

bool Manifesto::IsKept(const ManifestoPledge& pledge) {
    if (!pledge.option) {
        Trace(kSource, "No manifesto option", __LINE__);
        return true;
    }
    const Neuron* neuron = FindPledgeNeuron(pledge);
    if (!neuron) return false;
    const float value = neuron->Value();
    const float target = GetTarget(pledge);
    return pledge.option->direction == PledgeDirection::Fall ? value <= target : value >= target;
}

float Manifesto::GetCurrentValue(const ManifestoPledge& pledge) {
    const Neuron* neuron = FindPledgeNeuron(pledge);
    return neuron && neuron->IsActive() ? neuron->Value() : 0.0f;
}

const ManifestoOption* Manifesto::FindOption(std::string_view neuronName, float change) const {
    if (change != 0.0f) {
        for (const ManifestoOption& option : options_) {
            if (option.neuronName == neuronName) return &option;
        }
    }
    Trace(kSource, "Warning - > Manifesto Option not found", __LINE__);
    return nullptr;
}

void Manifesto::RestorePledge(Term term, std::string_view neuronName, float change,
                              float initialValue) {
    std::vector<ManifestoPledge>& pledges = term == Term::Live ? live_ : next_;
    pledges.push_back({FindOption(neuronName, change), change, initialValue});
}
