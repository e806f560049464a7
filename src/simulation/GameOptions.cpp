// Game options and their file.
#include "simulation/GameOptions.h"

#include "core/DataFiles.h"
#include "core/TextUtilities.h"
#include "engine/DebugLog.h"
#include "platform/IniFile.h"

namespace {

struct OptionSpec {
    const char* key;
    float fallback;
};

constexpr std::array<OptionSpec, GameOptions::kCount> kSpecs = {{
    {"MUSIC", 1.0f},
    {"GLOBALECONOMY", 0.5f},
    {"INTERESTRATE", 0.5f},
    {"AIENTITIES", 1.0f},
    {"DIFFICULTY", 0.5f},
    {"SHOWFLAGS", 1.0f},
    {"SHOWCLOCK", 1.0f},
    {"CYNICISM", 0.5f},
    {"IGNOREDILEMMAS", 0.0f},
    {"RESTRICTPOWER", 1.0f},
    {"IGNOREMANIFESTO", 0.0f},
    {"AUTOSAVE", 0.0f},
}};

bool InRange(int index) { return index >= 0 && index < GameOptions::kCount; }

}  // namespace

GameOptions& GameOptions::Instance() {
    static GameOptions options;
    return options;
}

float GameOptions::Get(int index) const { return InRange(index) ? values_[static_cast<size_t>(index)] : 0.0f; }

void GameOptions::Set(float value, int index) {
    if (InRange(index)) values_[static_cast<size_t>(index)] = value;
}

const char* GameOptions::Key(int index) { return InRange(index) ? kSpecs[static_cast<size_t>(index)].key : ""; }

float GameOptions::Default(int index) {
    return InRange(index) ? kSpecs[static_cast<size_t>(index)].fallback : 0.0f;
}

void GameOptions::Load(std::string_view path) {
    for (int i = 0; i < kCount; ++i) values_[static_cast<size_t>(i)] = ReadNumber("options", Key(i), Default(i), path);
}

bool GameOptions::Save(std::string_view path) const {
    std::vector<std::pair<std::string, std::string>> entries;
    for (int i = 0; i < kCount; ++i) entries.emplace_back(Key(i), FormatText("%f", static_cast<double>(Get(i))));
    std::string error;
    if (IniFile::WriteEntries("options", entries, path, &error)) return true;
    Log("cannot save the options: " + error);
    return false;
}
