// Reading skin colours.
#include "engine/Skin.h"

#include <string>

#include "core/DataReport.h"
#include "core/FieldReader.h"
#include "platform/FileSystem.h"
#include "platform/IniFile.h"

Skin::Skin() {
    for (const Entry& entry : kEntries) colours_[size_t(entry.colour)] = entry.fallback;
}

Skin& Skin::Instance() {
    static Skin skin;
    return skin;
}

std::uint32_t Skin::ParseColour(std::string_view text) {
    FieldReader fields(text);
    const std::uint32_t r = std::uint32_t(fields.NextInt()) & 0xFF,
                        g = std::uint32_t(fields.NextInt()) & 0xFF;
    const std::uint32_t b = std::uint32_t(fields.NextInt()) & 0xFF,
                        a = std::uint32_t(fields.NextInt()) & 0xFF;
    return a << 24 | r << 16 | g << 8 | b;
}

void Skin::Load(std::string_view path) {
    const std::string file(path);
    const bool fileExists = platform::FileExists(file);
    if (!fileExists) {
        ReportDataProblem(DataSeverity::Warning, {file, 0, "", ""},
                          "skin missing: every colour transparent", "Skin", __LINE__);
    }
    for (const Entry& entry : kEntries) {
        const bool classic = entry.colour < kClassicCount;
        const std::optional<std::string> value = IniFile::Find("default", entry.key, file);
        if (!value && fileExists && classic) {
            ReportDataProblem(DataSeverity::Warning, {file, 0, "default", entry.key},
                              "missing colour: transparent used", "Skin", __LINE__);
        }
        if (!value && !classic) {
            colours_[size_t(entry.colour)] = entry.fallback;
            continue;
        }
        colours_[size_t(entry.colour)] =
            ParseColour(value ? value->substr(0, 1023) : std::string());
    }
}

std::uint32_t Skin::GroupColour(int groupIndex) const {
    if (groupIndex < 0 || groupIndex >= kGroupCount) return Get(COL_MUTED);
    return Get(Colour(COL_GROUP1 + groupIndex));
}

std::uint32_t Skin::PopularityColour(float value, bool highlighted) const {
    if (value < 0.33f) return Get(highlighted ? COL_REDPOPHIGH : COL_REDPOP);
    if (value < 0.66f) return Get(highlighted ? COL_YELLOWPOPHIGH : COL_YELLOWPOP);
    return Get(highlighted ? COL_GREENPOPHIGH : COL_GREENPOP);
}
