// Where the game's own relative paths land on disk. The game names its files
// as it always has ("data/strings.ini", "data/savegames/x.dedu",
// "debugdata/debug.txt"); these folders decide where such names are read and
// written, so an installed game reads its data from the install folder and
// keeps everything the player owns in the player's own folder.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace platform {

struct GameFolders {
    // The folder the game calls "data/". Empty: "data" in the working folder.
    std::string data;
    // Stands for the working folder in every path the game writes: saves
    // (user/data/savegames), options, achievements, the input record, logs
    // (user/debugdata) and screenshots. Empty: the working folder.
    std::string user;
    // Whether user/data also lies over the data folder: files written there
    // (updates, caches, a player's own mods) are read before the data
    // folder's. Off while the user folder is merely the working folder, which
    // in a source tree holds the very data that --data replaces.
    bool overlay = false;
};

// Both folders become absolute. With both empty, paths are used as written.
void SetGameFolders(const GameFolders& folders);
const GameFolders& CurrentGameFolders();
bool AreGameFoldersSet();

// Files under "data/" that belong to the player rather than the game: they go
// to the user folder even without the overlay, and are read from there first.
bool IsPlayerOwnedDataPath(std::string_view pathUnderData);

// The data folder of an installed game: the folder at `relativeToProgram`
// from the program's own folder, when it holds "data.ini".
std::optional<std::string> InstalledDataFolder(std::string_view relativeToProgram);

// $XDG_DATA_HOME/polity, or ~/.local/share/polity; empty, with `error` set,
// when neither variable gives an absolute folder.
std::string DefaultUserFolder(std::string* error);

}  // namespace platform
