// Every text the player reads is looked up by key in "data/strings.ini"
// section "strings"; a missing key shows the key itself. Also: message
// formatting with "NAME=value," parameter lists, picking entries of numbered
// list sections (at random or graded by a fraction), and generated names.
#pragma once

#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "core/SectionReader.h"

// A generated man's and woman's full name ("First Last"), at most 31
// characters each.
struct NamePair {
    std::string male;
    std::string female;
};

class StringTable {
public:
    static StringTable& Instance();

    // Loads the table now from `path` (normally done on first look-up).
    void Load(std::string_view path = "data/strings.ini");
    // Forgets the table, so the next look-up loads it again (tests, mods).
    void Unload();
    size_t Count();

    const std::string& Get(std::string_view key);

private:
    StringTable() = default;
    void EnsureLoaded();
    bool loaded_ = false;
    SectionReader table_;
};

// The text for the key; the key itself (and a log line) when it is missing.
std::string GetString(std::string_view key);

// The template for `key` with each <NAME> replaced from `params`, a list of
// NAME=value pairs each closed by a comma.
std::string FormatString(std::string_view key, std::string_view params);

// Parses a parameter list into the program-wide token table (used by
// FormatString; exposed for the few callers that format their own templates).
void ParseParameterList(std::string_view params);
// Fills the placeholders of a template from the token table.
std::string FillTemplate(std::string_view templateText);
// Empties the token table (at shutdown).
void ClearTokens();

// Entries of numbered list sections ("0", "1", ... "n-1").
std::string GetRandomString(std::string_view section);
// The entry `variant` modulo the section's size: a varied wording that draws
// nothing from the game's generator, for texts a window builds as it opens.
std::string GetVariedString(std::string_view section, unsigned variant);
std::string GetRandomEntry(std::string_view section, std::string_view path);
std::string GetGradedString(float fraction, std::string_view section);

// Replaces the first occurrence of `marker` in `text`; false when there is none.
bool ReplaceFirst(std::string& text, std::string_view marker, std::string_view replacement);

// Draws a man's and a woman's name from the sections "name_male_first",
// "name_female_first" and "name_last" of the mission file; the two last
// names are drawn independently.
NamePair GenerateNames(std::string_view missionFile);
