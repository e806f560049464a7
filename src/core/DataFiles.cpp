// Initialisation-file access and mod listings.
#include "core/DataFiles.h"

#include "core/TextFile.h"
#include "core/TextUtilities.h"
#include "engine/DebugLog.h"
#include "platform/FileSystem.h"
#include "platform/IniFile.h"

float ReadNumber(std::string_view section, std::string_view key, float fallback, std::string_view path) {
    const auto value = IniFile::Find(section, key, path);
    if (!value || value->empty()) return fallback;
    return ParseFloat(std::string_view(*value).substr(0, 31));
}

int ReadWholeNumber(std::string_view section, std::string_view key, int fallback, std::string_view path) {
    return IniFile::ReadInt(section, key, fallback, path);
}

std::string ReadText(std::string_view section, std::string_view key, size_t bufferSize, std::string_view path) {
    std::string value = IniFile::ReadString(section, key, "", path);
    if (bufferSize == 0) return std::string();
    if (value.size() > bufferSize - 1) value.resize(bufferSize - 1);
    return value;
}

namespace {

bool WriteValue(std::string_view section, std::string_view key, const std::string& value, std::string_view path) {
    std::string error;
    if (IniFile::Write(section, key, value, path, &error)) return true;
    Log("cannot write [" + std::string(section) + "] " + std::string(key) + ": " + error);
    return false;
}

}  // namespace

bool WriteNumber(std::string_view section, std::string_view key, float number, std::string_view path) {
    return WriteValue(section, key, FormatText("%f", static_cast<double>(number)), path);
}

bool WriteWholeNumber(std::string_view section, std::string_view key, int number, std::string_view path) {
    return WriteValue(section, key, FormatText("%d", number), path);
}

void ListFiles(std::string_view pattern, const std::function<void(const std::string&)>& handler) {
    for (const std::string& name : platform::ListFiles(pattern)) handler(name);
}

bool ForEachContentLine(const std::string& mainFile, std::string_view modPattern, const ContentLineHandler& handler) {
    const auto file = TextFile::Open(mainFile);
    if (file) {
        for (size_t i = 0; i < file->LineCount(); ++i) handler(file->Lines()[i], mainFile, static_cast<int>(i + 1));
    }
    const std::string pattern = platform::NormalizeSeparators(modPattern);
    const std::string folder = pattern.substr(0, pattern.rfind('/') + 1);
    ListFiles(pattern, [&](const std::string& name) {
        const auto mod = TextFile::Open(folder + name);
        if (mod && mod->LineCount() > 0) handler(mod->Line(1), folder + name, 1);
    });
    return file.has_value();
}
