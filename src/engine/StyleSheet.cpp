// Reading the style sheet and applying a style.
#include "engine/StyleSheet.h"

#include <algorithm>
#include <optional>
#include <vector>

#include "core/DataReport.h"
#include "engine/Diagnostics.h"
#include "engine/GdiText.h"
#include "platform/FileSystem.h"
#include "platform/IniFile.h"

StyleSheet& StyleSheet::Instance() {
    static StyleSheet sheet;
    return sheet;
}

void StyleSheet::Load(std::string_view path) {
    const std::string file(path);
    if (!platform::FileExists(file)) {
        ReportDataProblem(DataSeverity::Warning, {file, 0, "", ""},
                          "style sheet missing: default font, white text", "StyleSheet", __LINE__);
        styles_.fill(TextStyle{});
        return;
    }
    const std::vector<std::string> sections = IniFile::SectionNames(file);
    for (int i = 0; i < kCount; ++i) {
        const char* section = kSectionNames[i];
        TextStyle style;
        const bool hasSection = std::any_of(
            sections.begin(), sections.end(),
            [&](const std::string& name) { return platform::EqualsIgnoringCase(name, section); });
        if (!hasSection) {
            ReportDataProblem(DataSeverity::Warning, {file, 0, section, ""},
                              "missing style: default font, white text", "StyleSheet", __LINE__);
            styles_[size_t(i)] = style;
            continue;
        }
        auto read = [&](const char* key) {
            std::optional<std::string> value = IniFile::Find(section, key, file);
            if (!value) {
                ReportDataProblem(DataSeverity::Warning, {file, 0, section, key},
                                  "missing key: default used", "StyleSheet", __LINE__);
            }
            return value;
        };
        if (auto face = read("font")) style.face = face->substr(0, 255);
        if (read("size")) style.size = IniFile::ReadInt(section, "size", 0, file);
        if (read("r")) style.red = IniFile::ReadInt(section, "r", 255, file);
        if (read("g")) style.green = IniFile::ReadInt(section, "g", 255, file);
        if (read("b")) style.blue = IniFile::ReadInt(section, "b", 255, file);
        styles_[size_t(i)] = style;
    }
}

const TextStyle& StyleSheet::Style(int index) const {
    Assert(index >= 0, "StyleSheet", __LINE__);
    Assert(index < kCount, "StyleSheet", __LINE__);
    return styles_[size_t(std::clamp(index, 0, kCount - 1))];
}

void StyleSheet::SetStyle(int index) const {
    Assert(index >= 0, "StyleSheet", __LINE__);
    Assert(index < kCount, "StyleSheet", __LINE__);
    if (index < 0 || index >= kCount) return;
    const TextStyle& style = styles_[size_t(index)];
    GdiText::Instance().SelectFont(style.face, style.size, false);
    GdiText::Instance().SetTextColour(style.red, style.green, style.blue);
}
