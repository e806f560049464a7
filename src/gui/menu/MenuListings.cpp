// Mission and saved-game listings, picture names and save-name rules.
#include "gui/menu/MenuListings.h"

#include <algorithm>
#include <cctype>

#include "core/TextUtilities.h"
#include "engine/D3DEngine.h"
#include "engine/Input.h"
#include "platform/FileSystem.h"
#include "platform/IniFile.h"
#include "world/SaveGameManager.h"

namespace {

constexpr const char* kUnknown = "<unknown>";
constexpr size_t kLongestCountry = 127;

// The key inside a picture name: no folder, no extension, no "_s" of the
// classic small-flag bitmaps and no "flag_" already in front.
std::string PictureKey(std::string_view name) {
    const size_t slash = name.find_last_of("/\\");
    if (slash != std::string_view::npos) name.remove_prefix(slash + 1);
    const size_t dot = name.rfind('.');
    if (dot != std::string_view::npos) name = name.substr(0, dot);
    if (name.size() > 2 && name.substr(name.size() - 2) == "_s") name.remove_suffix(2);
    return std::string(name);
}

// A mission file's path from its voter matrix's: they share their name up to
// a four-character ending. Only paths inside the data folder are followed.
std::string MissionPathFromMatrix(std::string_view matrix) {
    const std::string path = platform::NormalizeSeparators(matrix);
    if (path.size() < 5 || path.rfind("data/", 0) != 0 || path.find("..") != std::string::npos)
        return {};
    return path.substr(0, path.size() - 4) + ".txt";
}

}  // namespace

MissionEntry ReadMission(int number) {
    MissionEntry entry;
    entry.number = number;
    entry.missionName = "mission" + std::to_string(number);
    const std::string path = "data/missions/" + entry.missionName + ".txt";
    const auto read = [&](const char* section, const char* key) {
        return IniFile::ReadString(section, key, kUnknown, path);
    };
    entry.configName = read("config", "name");
    entry.displayName = CountryDisplayName(path, entry.configName);
    entry.flagTexture = FlagTextureName(IniFile::ReadString("config", "flag", "", path));
    entry.pictureTexture = PictureTextureName(IniFile::ReadString("briefing", "texture", "", path));
    entry.population = read("briefing", "population");
    entry.unemployment = read("briefing", "unemployment");
    entry.termLength = read("briefing", "termlength");
    entry.debt = read("briefing", "debt");
    return entry;
}

std::vector<MissionEntry> ListMissions() {
    std::vector<MissionEntry> missions;
    for (int number = 1;; ++number) {
        if (!platform::FileExists("data/missions/mission" + std::to_string(number) + ".txt")) break;
        missions.push_back(ReadMission(number));
    }
    return missions;
}

SavedGameEntry ReadSavedGame(const std::string& name) {
    SavedGameEntry entry;
    entry.name = name;
    entry.path = SaveGameManager::PathForName(name);
    const std::string& path = entry.path;
    const std::string country = IniFile::ReadString("game", "country", "", path);
    entry.country = CountryDisplayName(
        MissionPathFromMatrix(IniFile::ReadString("mission", "Matrix", "", path)), country);
    if (entry.country.size() > kLongestCountry) entry.country.resize(kLongestCountry);
    entry.flagTexture = FlagTextureName(IniFile::ReadString("mission", "FlagName", "", path));
    // A save without polls (an early or hand-made file) lists 0 %.
    entry.approval = ParseFloat(IniFile::ReadString("polls", "totalapproval", "0", path)) * 100.0f;
    entry.intention = ParseFloat(IniFile::ReadString("polls", "potentialvote", "0", path)) * 100.0f;
    entry.turn = IniFile::ReadInt("game", "currentturn", 0, path);
    return entry;
}

std::vector<SavedGameEntry> ListSavedGames() {
    std::vector<SavedGameEntry> saves;
    for (const std::string& file :
         platform::ListFiles(std::string(SaveGameManager::kFolder) + "*.dedu")) {
        saves.push_back(ReadSavedGame(file.substr(0, file.size() - 5)));
    }
    return saves;
}

std::string CountryDisplayName(std::string_view missionPath, std::string_view fallback) {
    if (missionPath.empty()) return std::string(fallback);
    std::string name = IniFile::ReadString("briefing", "name", "", missionPath);
    return name.empty() ? std::string(fallback) : name;
}

std::string FlagTextureName(std::string_view flag) {
    std::string key = PictureKey(flag);
    if (key.empty()) return {};
    if (key.rfind("flag_", 0) == 0) key.erase(0, 5);
    return "flag_" + key + ".dds";
}

std::string PictureTextureName(std::string_view texture) {
    const std::string key = PictureKey(texture);
    return key.empty() ? std::string() : key + ".dds";
}

bool IsTextureAvailable(std::string_view name) {
    if (name.empty()) return false;
    D3DEngine& engine = D3DEngine::Instance();
    for (const D3DEngine::TextureEntry& entry : engine.Textures())
        if (entry.name == name) return !entry.isPlaceholder;
    for (const std::string& folder : engine.TextureDirectories())
        if (platform::FileExists(folder + "/" + std::string(name))) return true;
    return false;
}

std::string CaptureSaveProblem(const std::function<bool()>& operation, bool* succeeded) {
    SaveGameManager& saves = SaveGameManager::Instance();
    const auto previous = saves.ProblemListener();
    std::string problem;
    saves.SetProblemListener([&](const SaveGameProblem& report) {
        problem = report.path + ": " + report.detail;
        if (previous) previous(report);
    });
    *succeeded = operation();
    saves.SetProblemListener(previous);
    return problem;
}

bool IsUsableSaveName(std::string_view name) {
    if (name.find_first_of("/\\") != std::string_view::npos) return false;
    // Blanks, dots and dashes alone make no name a player can find again
    // (and dots alone name a folder).
    return std::any_of(name.begin(), name.end(),
                       [](char c) { return std::isalnum(static_cast<unsigned char>(c)) != 0; });
}

std::string EditSaveName(std::string_view name, int scanCode) {
    std::string edited(name);
    if (scanCode == kBackspaceScanCode) {
        if (!edited.empty()) edited.pop_back();
        return edited;
    }
    const char typed = Input::ScanCodeToChar(scanCode);
    if (typed != 0 && edited.size() < kLongestSaveName) edited += typed;
    return edited;
}
