// Text helpers for data files, independent of the process locale.
#include "core/TextUtilities.h"

#include <charconv>
#include <clocale>
#include <cmath>
#include <cstdarg>
#include <cstdio>
#include <cstdlib>
#include <locale.h>

#include "platform/FileSystem.h"

namespace {

bool IsTrailingSpace(char c) { return c == '\n' || c == '\r' || c == ' ' || c == '\t'; }

// A "C" locale object, so conversions never depend on the player's settings.
locale_t CLocale() {
    static locale_t locale = newlocale(LC_ALL_MASK, "C", static_cast<locale_t>(nullptr));
    return locale;
}

// Makes the "C" locale current for this thread while it lives.
class CLocaleScope {
public:
    CLocaleScope() : previous_(uselocale(CLocale())) {}
    ~CLocaleScope() { uselocale(previous_); }
    CLocaleScope(const CLocaleScope&) = delete;
    CLocaleScope& operator=(const CLocaleScope&) = delete;

private:
    locale_t previous_;
};

}  // namespace

std::string TrimTrailing(std::string_view text) {
    if (text.size() > kLongTextLimit) return std::string(text);
    while (!text.empty() && IsTrailingSpace(text.back())) text.remove_suffix(1);
    return std::string(text);
}

std::string LowerCase(std::string_view text) {
    std::string out(text);
    if (out.size() > kLongTextLimit) return out;
    for (char& c : out) {
        if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
    }
    return out;
}

std::string UpperCase(std::string_view text) {
    std::string out(text);
    if (out.size() > kLongTextLimit) return out;
    for (char& c : out) {
        if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
    }
    return out;
}

std::string TrimBlanks(std::string_view text) {
    auto blank = [](char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; };
    while (!text.empty() && blank(text.front())) text.remove_prefix(1);
    while (!text.empty() && blank(text.back())) text.remove_suffix(1);
    return std::string(text);
}

bool IsNumber(std::string_view text) {
    const std::string trimmed = TrimBlanks(text);
    if (trimmed.empty()) return false;
    const char* begin = trimmed.data() + (trimmed[0] == '+' ? 1 : 0);
    float value = 0.0f;
    const auto [end, error] = std::from_chars(begin, trimmed.data() + trimmed.size(), value);
    return error == std::errc() && end == trimmed.data() + trimmed.size();
}

bool ParseKeyValue(std::string_view line, std::string& key, std::string& value) {
    const size_t eq = line.find('=');
    if (eq == std::string_view::npos) return false;
    const size_t keyEnd = line.find_first_of(" =");
    key.assign(line.substr(0, keyEnd));
    size_t start = eq + 1;
    while (start < line.size() && line[start] == ' ') ++start;
    value = TrimTrailing(line.substr(start));
    return true;
}

double ParseDouble(std::string_view text) {
    const std::string terminated(text);  // strtod needs the terminating zero
    return strtod_l(terminated.c_str(), nullptr, CLocale());
}

float ParseFloat(std::string_view text) { return static_cast<float>(ParseDouble(text)); }

int ParseInt(std::string_view text) {
    const std::string terminated(text);
    return static_cast<int>(std::strtol(terminated.c_str(), nullptr, 10));
}

std::string FormatText(const char* format, ...) {
    CLocaleScope scope;
    va_list args;
    va_start(args, format);
    va_list copy;
    va_copy(copy, args);
    const int size = std::vsnprintf(nullptr, 0, format, copy);
    va_end(copy);
    std::string out;
    if (size > 0) {
        out.resize(static_cast<size_t>(size));
        std::vsnprintf(out.data(), out.size() + 1, format, args);
    }
    va_end(args);
    return out;
}

std::string ThousandsFormat(long long number) {
    if (number < 0) return "-" + ThousandsFormat(-number);
    const std::string digits = std::to_string(number);
    std::string out;
    for (size_t i = 0; i < digits.size(); ++i) {
        if (i > 0 && (digits.size() - i) % 3 == 0) out += ',';
        out += digits[i];
    }
    return out;
}

float Distance(float x1, float y1, float x2, float y2) {
    const float dx = x2 - x1;
    const float dy = y2 - y1;
    return std::sqrt(dx * dx + dy * dy);
}

float Angle(float x1, float y1, float x2, float y2) {
    double angle = (std::atan2(y2 - y1, x2 - x1) + M_PI) * 57.29577791868205 - 90.0;
    if (angle < 0) angle += 360.0;
    return static_cast<float>(angle);
}

std::string UniqueFileName(std::string_view base, std::string_view extension) {
    std::string name = std::string(base) + "." + std::string(extension);
    for (int i = 1; platform::FileExists(name); ++i) {
        name = std::string(base) + "(" + std::to_string(i) + ")." + std::string(extension);
    }
    return name;
}
