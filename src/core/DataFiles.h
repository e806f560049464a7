// Initialisation-file access with the game's conventions (numbers in the "C"
// locale, defaults for missing or empty keys) and the listing of mod files.
#pragma once

#include <functional>
#include <string>
#include <string_view>

// The key as a number: `fallback` when missing or empty, 0 when not a number.
// The value is read as at most 31 characters, as it always has been.
float ReadNumber(std::string_view section, std::string_view key, float fallback, std::string_view path);

// The leading whole number of the value; `fallback` when the key is missing.
int ReadWholeNumber(std::string_view section, std::string_view key, int fallback, std::string_view path);

// The value cut to `bufferSize` - 1 characters; "" when missing.
std::string ReadText(std::string_view section, std::string_view key, size_t bufferSize, std::string_view path);

// "%f" and "%d" writes that keep the rest of the file.
bool WriteNumber(std::string_view section, std::string_view key, float number, std::string_view path);
bool WriteWholeNumber(std::string_view section, std::string_view key, int number, std::string_view path);

// Calls `handler` with the name of each file matching the pattern (for
// example "data/mods/policies/*.txt"), sorted by name; nothing when none does.
void ListFiles(std::string_view pattern, const std::function<void(const std::string&)>& handler);

// Content files of one kind: every line of the main file, then the first line
// of each mod file matching `modPattern` in name order (a mod holds one
// record). `handler` gets the line, the file it came from and its number.
// False when the main file cannot be read; unreadable mods are skipped.
using ContentLineHandler = std::function<void(const std::string& line, const std::string& file, int lineNumber)>;
bool ForEachContentLine(const std::string& mainFile, std::string_view modPattern, const ContentLineHandler& handler);
