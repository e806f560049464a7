// Finding the string-table keys the program's code uses by reading its
// source text, so the data check can compare them with "data/strings.ini".
// The build runs the scan over src/ and compiles the result in; nothing here
// depends on the game, so the build tool links this file alone.
#pragma once

#include <string>
#include <string_view>
#include <vector>

struct StringKeyUse {
    enum class Kind { Key, Section };
    Kind kind = Kind::Key;
    // A key of section "strings", or the name of a section read as a list.
    // "%d" and "%s" in it stand for a number or a word built at run time.
    std::string text;
    std::string where;  // "src/politics/Polls.cpp:22"
};

struct StringKeyUsage {
    // Looked up by the string table's readers: the table must have them.
    std::vector<StringKeyUse> asked;
    // Every key-like text literal of the code. A table key counts as used
    // when one of these names it, is a pattern matching it, or is a prefix
    // ending in "_" that it begins with (keys built from a stem and a word).
    std::vector<std::string> mentioned;
};

// Adds what one source file asks for and mentions. Literals inside the
// brackets of GetString and FormatString are keys; inside GetRandomString
// and GetGradedString they are list sections of the table. Fragments that
// begin or end with "_" are only mentions.
void ScanSourceForStringKeys(std::string_view source, std::string_view fileName,
                             StringKeyUsage& usage);

// Whether a key matches a use's text: equal, or equal with each "%d" standing
// for one or more digits and each "%s" for one or more characters.
bool StringKeyMatches(std::string_view pattern, std::string_view key);

// The usage as C++ initialisers, for the build's generated file.
std::string WriteStringKeyUsage(const StringKeyUsage& usage);

// What the build's scan of this program's own source found.
const StringKeyUsage& StringKeysInCode();
