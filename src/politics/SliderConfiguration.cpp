// Slider configurations and their loader.
#include "politics/SliderConfiguration.h"

#include <cmath>

#include "core/DataFiles.h"
#include "core/DataReport.h"
#include "core/FieldReader.h"
#include "core/TextFile.h"
#include "core/TextUtilities.h"
#include "engine/Diagnostics.h"

namespace {

std::vector<std::unique_ptr<SliderConfiguration>>& List() {
    static std::vector<std::unique_ptr<SliderConfiguration>> list;
    return list;
}

bool g_loaded = false;

// Lines shorter than 9 characters (a line end counted) describe nothing.
bool DescribesConfiguration(const std::string& line) { return line.size() + 1 >= 9 && line[0] == '#'; }

void LoadLine(const std::string& line, const std::string& path, int lineNumber) {
    FieldReader fields(line);
    if (fields.NextField() != "#") {
        ReportDataProblem(DataSeverity::Error, {path, lineNumber, "", ""}, "slider configuration lacks its marker",
                          "GUI_SliderConfig", __LINE__);
        return;
    }
    std::string name = fields.NextField();
    const int steps = fields.NextInt();
    std::vector<std::string> labels;
    while (!fields.AtEnd()) {
        std::string label = fields.NextField();
        label = label.substr(0, label.find('\n'));
        if (!label.empty()) labels.push_back(std::move(label));
    }
    List().push_back(std::make_unique<SliderConfiguration>(std::move(name), steps, std::move(labels)));
}

}  // namespace

SliderConfiguration::SliderConfiguration(std::string name, int steps, std::vector<std::string> labels)
    : name_(std::move(name)), steps_(steps), labels_(std::move(labels)) {}

float SliderConfiguration::Snap(float v) const {
    Assert(v >= 0.0f && v <= 1.0f, "GUI_SliderConfig", __LINE__);
    if (steps_ < 2) return v;
    const float step = 1.0f / static_cast<float>(steps_ - 1);
    const float k = std::floor(v / step);
    float result = (v - k * step) / step >= 0.5f ? (k + 1.0f) * step : k * step;
    if (result < 0.0f) result = 0.0f;
    if (result > 1.0f) result = 1.0f;
    return result;
}

std::string SliderConfiguration::StepLabel(float v) const {
    if (labels_.empty()) return "not set";
    const int last = static_cast<int>(labels_.size()) - 1;
    const int index = static_cast<int>(std::floor(v * static_cast<float>(last) + 0.5f));
    if (index < 0 || index > last) {
        Assert(false, "GUI_SliderConfig", __LINE__);
        return labels_[index < 0 ? 0 : static_cast<size_t>(last)];
    }
    return labels_[static_cast<size_t>(index)];
}

void SliderConfiguration::LoadAll(std::string_view path, std::string_view modPattern) {
    if (g_loaded) return;
    g_loaded = true;
    const std::string base(path);
    const bool read = ForEachContentLine(base, modPattern, [](const std::string& line, const std::string& source,
                                                              int lineNumber) {
        if (DescribesConfiguration(line)) LoadLine(line, source, lineNumber);
    });
    if (!read) {
        ReportDataProblem(DataSeverity::Error, {base, 0, "", ""}, "cannot open the slider configurations",
                          "GUI_SliderConfig", __LINE__);
    }
}

const SliderConfiguration* SliderConfiguration::Find(std::string_view name) {
    for (const auto& configuration : List()) {
        if (configuration->Name() == name) return configuration.get();
    }
    return nullptr;
}

const std::vector<std::unique_ptr<SliderConfiguration>>& SliderConfiguration::All() { return List(); }

void SliderConfiguration::Clear() {
    List().clear();
    g_loaded = false;
}
