// What the menu screens list and how they name things: the missions on offer,
// the saved games on disk, the pictures for each, and the rules for a save's
// name. Kept apart from the screens so the rules are tested without drawing.
#pragma once

#include <functional>
#include <string>
#include <string_view>
#include <vector>

// One "data/missions/mission<number>.txt" as the mission screen offers it.
struct MissionEntry {
    int number = 0;
    std::string missionName;  // "mission<number>", what a game is started with
    std::string configName;   // [config] "name": a short label the rules read ("USA")
    std::string displayName;  // [briefing] "name", the config name when there is none
    std::string flagTexture;  // empty when the mission names no flag
    std::string pictureTexture;
    // The four briefing lines, as written in the file.
    std::string population, unemployment, termLength, debt;
};

// One "data/savegames/<name>.dedu" as the load screen lists it.
struct SavedGameEntry {
    std::string name;  // the file name without folder and ".dedu"
    std::string path;
    std::string country;
    std::string flagTexture;
    float approval = 0.0f;   // percent
    float intention = 0.0f;  // percent
    int turn = 0;
};

// Missions 1, 2, 3, ... up to the first number whose file cannot be read.
std::vector<MissionEntry> ListMissions();
MissionEntry ReadMission(int number);

// Every saved game, sorted by file name so the order never depends on the disk.
std::vector<SavedGameEntry> ListSavedGames();
SavedGameEntry ReadSavedGame(const std::string& name);

// The country's name for the player: the mission file's briefing name, or
// `fallback` (the short config name) when the file has none.
std::string CountryDisplayName(std::string_view missionPath, std::string_view fallback);

// The generated flag for a mission's "flag" value. Older data names the
// classic bitmaps ("flags/valoria_s.bmp"); the key inside is what counts.
std::string FlagTextureName(std::string_view flag);
// The generated picture for a briefing's "texture" value.
std::string PictureTextureName(std::string_view texture);
// True when the texture is loaded or one of the engine's folders holds it, so
// a missing picture is drawn as a plain panel instead of the stand-in.
bool IsTextureAvailable(std::string_view name);

// Runs a save or a load and returns what it reported through the save-game
// manager as "path: detail" (empty when it reported nothing); any listener
// already installed still hears of it.
std::string CaptureSaveProblem(const std::function<bool()>& operation, bool* succeeded);

// Save names: at most this many characters are typed.
constexpr size_t kLongestSaveName = 33;
// A name that makes a file inside the savegames folder: at least one letter
// or digit, no path separators.
bool IsUsableSaveName(std::string_view name);
// The name after one key of the save screen: Backspace removes the last
// character, a key that types one appends it while the name is short enough.
std::string EditSaveName(std::string_view name, int scanCode);
constexpr int kBackspaceScanCode = 14;
constexpr int kEscapeScanCode = 1;
