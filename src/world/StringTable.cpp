// String table, message formatting, list sections and names.
#include "world/StringTable.h"

#include <algorithm>

#include "core/GameRandom.h"
#include "core/TextUtilities.h"
#include "engine/DebugLog.h"

namespace {

constexpr std::string_view kStringsFile = "data/strings.ini";
constexpr size_t kMaxFullName = 31;

// The (name, value) pairs of the last parameter list parsed. One table for the
// whole program: a template is filled from whatever list was parsed last.
std::vector<std::pair<std::string, std::string>>& Tokens() {
    static std::vector<std::pair<std::string, std::string>> tokens;
    return tokens;
}

// Empty, with a log line, when no token has this name: a message with a gap
// is better than one that stops the game.
std::string LookupToken(std::string_view name) {
    for (const auto& [tokenName, value] : Tokens()) {
        if (tokenName == name) return value;
    }
    Log("failed to find token:" + std::string(name));
    return std::string();
}

// Entry number `index` of a numbered list section already read.
std::string Entry(const SectionReader& list, int index) {
    return list.Lookup(FormatText("%d", index));
}

}  // namespace

StringTable& StringTable::Instance() {
    static StringTable table;
    return table;
}

void StringTable::Load(std::string_view path) {
    table_.ReadSection("strings", path);
    loaded_ = true;
}

void StringTable::Unload() { loaded_ = false; }

size_t StringTable::Count() {
    EnsureLoaded();
    return table_.Size();
}

void StringTable::EnsureLoaded() {
    if (!loaded_) Load(kStringsFile);
}

const std::string& StringTable::Get(std::string_view key) {
    EnsureLoaded();
    return table_.Lookup(key);
}

std::string GetString(std::string_view key) {
    const std::string& text = StringTable::Instance().Get(key);
    if (!text.empty()) return text;
    // An empty entry counts as missing too: showing the key tells the
    // translator which line to fill in.
    Log("Missing string: " + std::string(key));
    return std::string(key);
}

void ParseParameterList(std::string_view params) {
    auto& tokens = Tokens();
    tokens.clear();
    std::string name;
    std::string value;
    bool inValue = false;
    for (char c : params) {
        if (!inValue) {
            if (c == '=') {
                inValue = true;
            } else {
                name += c;
            }
        } else if (c == ',') {
            tokens.emplace_back(std::move(name), std::move(value));
            name.clear();
            value.clear();
            inValue = false;
        } else {
            value += c;
        }
    }
    // A pair counts only once its comma is read: whatever follows the last
    // comma is dropped.
}

std::string FillTemplate(std::string_view templateText) {
    std::string result;
    result.reserve(templateText.size());
    size_t i = 0;
    while (i < templateText.size()) {
        const char c = templateText[i];
        if (c != '<') {
            result += c;
            ++i;
            continue;
        }
        const size_t close = templateText.find('>', i + 1);
        // A placeholder that never closes is dropped along with its name.
        if (close == std::string_view::npos) break;
        result += LookupToken(templateText.substr(i + 1, close - i - 1));
        i = close + 1;
    }
    return result;
}

std::string FormatString(std::string_view key, std::string_view params) {
    ParseParameterList(params);
    const std::string templateText = GetString(key);
    if (templateText.empty()) return std::string();
    return FillTemplate(templateText);
}

void ClearTokens() { Tokens().clear(); }

std::string GetRandomEntry(std::string_view section, std::string_view path) {
    SectionReader list;
    const int count = static_cast<int>(list.ReadSection(section, path));
    if (count == 0) return std::string();
    return Entry(list, Rand() % count);
}

std::string GetRandomString(std::string_view section) { return GetRandomEntry(section, kStringsFile); }

std::string GetVariedString(std::string_view section, unsigned variant) {
    SectionReader list;
    const unsigned count = static_cast<unsigned>(list.ReadSection(section, kStringsFile));
    if (count == 0) return std::string();
    return Entry(list, static_cast<int>(variant % count));
}

std::string GetGradedString(float fraction, std::string_view section) {
    SectionReader list;
    const int count = static_cast<int>(list.ReadSection(section, kStringsFile));
    // Written so that a NaN fraction lands on the bottom entry as well.
    if (!(fraction >= 0.0f)) fraction = 0.0f;
    if (fraction >= 1.0f) fraction = 1.0f;
    int index = static_cast<int>(static_cast<float>(count) * fraction);
    // A full fraction belongs to the top entry, not one past it.
    if (index == count) index = count - 1;
    // Lower bound first: an empty section ends at key "-1", which is never there.
    index = std::max(index, 0);
    index = std::min(index, count - 1);
    return Entry(list, index);
}

bool ReplaceFirst(std::string& text, std::string_view marker, std::string_view replacement) {
    // An empty marker would "match" at the start and insert the replacement
    // there; no caller means that.
    if (marker.empty()) return false;
    const size_t at = text.find(marker);
    if (at == std::string::npos) return false;
    text.replace(at, marker.size(), replacement);
    return true;
}

NamePair GenerateNames(std::string_view missionFile) {
    // The draw order is part of a seeded game's replay: man's first name,
    // his last name, woman's first name, her own last name.
    NamePair names;
    const std::string maleFirst = GetRandomEntry("name_male_first", missionFile);
    const std::string maleLast = GetRandomEntry("name_last", missionFile);
    names.male = maleFirst + " " + maleLast;
    const std::string femaleFirst = GetRandomEntry("name_female_first", missionFile);
    const std::string femaleLast = GetRandomEntry("name_last", missionFile);
    names.female = femaleFirst + " " + femaleLast;
    // A full name never exceeds 31 characters; longer ones are cut, not refused.
    if (names.male.size() > kMaxFullName) names.male.resize(kMaxFullName);
    if (names.female.size() > kMaxFullName) names.female.resize(kMaxFullName);
    return names;
}
