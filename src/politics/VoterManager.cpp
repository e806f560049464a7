// Loading and keeping the voter groups.
#include "politics/VoterManager.h"

#include "core/DataReport.h"
#include "core/FieldReader.h"
#include "core/TextFile.h"
#include "engine/Diagnostics.h"
#include "politics/VoterType.h"
#include "simulation/Network.h"

namespace {
constexpr size_t kMaxText = 63;
constexpr size_t kMaxDescription = 1023;
}  // namespace

VoterManager& VoterManager::Instance() {
    static VoterManager manager;
    return manager;
}

void VoterManager::LoadVoterTypes(const std::string& path) {
    const auto file = TextFile::Open(path);
    if (!file) return;
    for (size_t i = 0; i < file->LineCount(); ++i) {
        const std::string& line = file->Lines()[i];
        if (!line.empty() && line[0] == '#') LoadLine(line, path, static_cast<int>(i + 1));
    }
}

void VoterManager::LoadLine(const std::string& line, const std::string& path, int lineNumber) {
    FieldReader fields(line);
    fields.NextField();
    const std::string name = fields.NextField();
    VoterType* type = Network::Create<VoterType>(name);
    types_.push_back(type);
    type->SetDisplayName(fields.NextField());
    type->furtherText_ = fields.NextField().substr(0, kMaxText);
    const float share = fields.NextFloat();
    if (share < 0.0f || share > 1.0f) {
        ReportDataProblem(DataSeverity::Error, {path, lineNumber, name, "percentage"},
                          "initial percentage outside 0 to 1", "VoterType", __LINE__);
    }
    type->SetInitialPercentage(share);
    type->description_ = fields.NextField().substr(0, kMaxDescription);
    type->SetBaseValue(fields.NextFloat());
    if (fields.NextField().rfind('#', 0) != 0) {
        ReportDataProblem(DataSeverity::Fatal, {path, lineNumber, name, "effects marker"}, "VoterType data corrupted",
                          "VoterType", __LINE__);
    }
    FieldReader pair;
    while (!fields.AtEnd()) {
        const std::string& field = fields.NextField();
        if (field.find(',') == std::string::npos) continue;
        pair.SetText(field);
        std::string other = pair.NextField();
        const float weight = pair.NextFloat();
        type->correlations_.emplace_back(std::move(other), weight);
    }
}

VoterType* VoterManager::FindVoterType(std::string_view name) const {
    for (VoterType* type : types_) {
        if (type->Name() == name) return type;
    }
    return nullptr;
}

VoterType* VoterManager::VoterTypeAt(size_t index) const { return index < types_.size() ? types_[index] : nullptr; }

void VoterManager::Reset() {
    for (VoterType* type : types_) Network::Destroy(type);
    types_.clear();
}
