// The data and user folders, and where an installed game finds them.
#include "platform/GameFolders.h"

#include <cstdlib>
#include <filesystem>
#include <system_error>

#include "platform/FileSystem.h"

namespace platform {
namespace {

namespace fs = std::filesystem;

GameFolders g_folders;

std::string Absolute(const std::string& folder) {
    if (folder.empty()) return folder;
    std::error_code ec;
    const fs::path absolute = fs::absolute(NormalizeSeparators(folder), ec);
    std::string text = (ec ? fs::path(folder) : absolute).lexically_normal().generic_string();
    while (text.size() > 1 && text.back() == '/') text.pop_back();
    return text;
}

bool StartsWithIgnoringCase(std::string_view text, std::string_view prefix) {
    return text.size() >= prefix.size() &&
           EqualsIgnoringCase(text.substr(0, prefix.size()), prefix);
}

}  // namespace

void SetGameFolders(const GameFolders& folders) {
    g_folders.data = Absolute(folders.data);
    g_folders.user = Absolute(folders.user);
    g_folders.overlay = folders.overlay;
}

const GameFolders& CurrentGameFolders() {
    return g_folders;
}

bool AreGameFoldersSet() {
    return !g_folders.data.empty() || !g_folders.user.empty();
}

bool IsPlayerOwnedDataPath(std::string_view path) {
    // "dedu.jad" also covers the copies of a damaged record ("dedu.jad.bad").
    for (const std::string_view file :
         {"options.dedu", "script.mil", "webfiles.txt", "config.muf", "savegames"}) {
        if (EqualsIgnoringCase(path, file)) return true;
    }
    return StartsWithIgnoringCase(path, "savegames/") || StartsWithIgnoringCase(path, "dedu.jad");
}

std::optional<std::string> InstalledDataFolder(std::string_view relativeToProgram) {
    std::error_code ec;
    const fs::path program = fs::read_symlink("/proc/self/exe", ec);
    if (ec || relativeToProgram.empty()) return std::nullopt;
    const fs::path folder =
        (program.parent_path() / fs::path(relativeToProgram)).lexically_normal();
    if (!fs::is_regular_file(folder / "data.ini", ec)) return std::nullopt;
    return folder.generic_string();
}

std::string DefaultUserFolder(std::string* error) {
    // Relative values are to be ignored, as the XDG base directory rules say.
    if (const char* xdg = std::getenv("XDG_DATA_HOME"); xdg && *xdg == '/') {
        return std::string(xdg) + "/polity";
    }
    if (const char* home = std::getenv("HOME"); home && *home == '/') {
        return std::string(home) + "/.local/share/polity";
    }
    if (error) *error = "no folder for saves and logs: HOME is not set; give --user-dir DIR";
    return {};
}

}  // namespace platform
