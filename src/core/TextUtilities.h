// Small text helpers every data loader shares: trimming, case folding, the
// key = value lines of saved games, lenient number conversion in the "C"
// locale, and the display formats for numbers and geometry.
#pragma once

#include <string>
#include <string_view>

// Texts longer than this pass the case and trim helpers unchanged, as the
// game's loaders have always relied on.
constexpr size_t kLongTextLimit = 1023;

// The text without its trailing line feeds, carriage returns and blanks.
std::string TrimTrailing(std::string_view text);
std::string LowerCase(std::string_view text);
std::string UpperCase(std::string_view text);

// The text without blanks (spaces, tabs, line ends) at either end.
std::string TrimBlanks(std::string_view text);
// True when the whole text, blanks aside, is one decimal number.
bool IsNumber(std::string_view text);

// "key = value" lines: false without "="; otherwise the key is the text
// before the first blank or "=", the value what follows "=" without its
// leading blanks, trimmed at the end.
bool ParseKeyValue(std::string_view line, std::string& key, std::string& value);

// atof/atoi in the "C" locale: leading blanks skipped, conversion stops at the
// first character that cannot continue a number, no number gives 0.
double ParseDouble(std::string_view text);
float ParseFloat(std::string_view text);
int ParseInt(std::string_view text);

// printf-style formatting into a std::string, always in the "C" locale.
std::string FormatText(const char* format, ...) __attribute__((format(printf, 1, 2)));

// 1234567 -> "1,234,567"; negative numbers keep their sign in front.
std::string ThousandsFormat(long long number);

// Euclidean distance, and the angle in degrees of the line from point 1 to
// point 2 as the map's connectors use it (0..360).
float Distance(float x1, float y1, float x2, float y2);
float Angle(float x1, float y1, float x2, float y2);

// The first of "base.ext", "base(1).ext", "base(2).ext", ... that names no
// existing file.
std::string UniqueFileName(std::string_view base, std::string_view extension);
