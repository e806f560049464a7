// Files as the game sees them: paths with "\" or "/", names matched without
// regard to case, and directory listings in a stable, sorted order.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace platform {

// Turns every "\" into "/" so data paths written for either system work.
std::string NormalizeSeparators(std::string_view path);

// Maps a game path onto the real file system for reading: separators are
// normalised, the game folders (GameFolders.h) are applied and each existing
// component is matched without regard to case. Components that do not exist
// yet are kept as written.
std::string ResolvePath(std::string_view path);
// The same for writing: a game path lands in the player's folder whenever the
// folders say so, even where the file is still read from the data folder.
// Without game folders it is ResolvePath.
std::string ResolvePathForWriting(std::string_view path);

// True when the file can be opened for reading.
bool FileExists(std::string_view path);
bool DirectoryExists(std::string_view path);

// The whole file, or nothing when it cannot be read.
std::optional<std::string> ReadFile(std::string_view path);

// The whole of a file a player hands the game (a saved game, say): only a
// regular file, never a pipe or a device that could keep the game waiting for
// ever, and only up to `maxBytes`, checked before a byte is read. Nothing,
// with `error` saying why, otherwise.
std::optional<std::string> ReadRegularFile(std::string_view path, std::uintmax_t maxBytes,
                                           std::string* error);

// Writes to a temporary file in the same folder, flushes it and renames it over
// the target, so an interrupted write never destroys the previous file.
// Through a symbolic link the file it names is replaced and the link kept; a
// target that is not a regular file (a device, a pipe, a folder) is refused.
// On failure the previous file is untouched and `error` says why.
bool WriteFileAtomically(std::string_view path, std::string_view contents, std::string* error = nullptr);

// Removes the temporary files WriteFileAtomically leaves in `folder` when its
// process is killed mid-write: those of processes no longer running. The
// count removed.
int RemoveStaleTemporaryFiles(std::string_view folder);

// Creates the folder and its parents; true when it exists afterwards.
bool CreateDirectories(std::string_view path);

bool RemoveFile(std::string_view path);

// Names (not paths) of the regular files matching a pattern such as
// "data/mods/policies/*.txt", where "*" and "?" match without regard to case.
// Sorted by name so load order never depends on the file system.
std::vector<std::string> ListFiles(std::string_view pattern);

// Case-insensitive wildcard match of a name against "*" and "?" patterns.
bool MatchesWildcard(std::string_view name, std::string_view pattern);

// Case-insensitive ASCII comparison of two names.
bool EqualsIgnoringCase(std::string_view a, std::string_view b);

}  // namespace platform
