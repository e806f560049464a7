// The string table, message formatting with parameter lists, the numbered
// list sections and generated names. The input is the strings file, then a
// parameter list, then a template, separated by zero bytes.
#include "FuzzSupport.h"
#include "FuzzTargets.h"
#include "core/GameRandom.h"
#include "platform/IniFile.h"
#include "world/StringTable.h"

namespace fuzz {

namespace {

constexpr const char* kStringsPath = "data/strings.ini";
constexpr size_t kKeysFormatted = 64;
constexpr size_t kSectionsPicked = 16;

}  // namespace

void FuzzStrings(std::string_view input) {
    Guarded([input] {
        const std::vector<std::string_view> parts = SplitInput(input, 3);
        WriteInputFile(kStringsPath, parts[0]);
        GameRandom::Seed(1);
        StringTable& table = StringTable::Instance();
        table.Unload();
        table.Load(kStringsPath);
        SectionReader strings;
        strings.ReadSection("strings", kStringsPath);
        size_t n = 0;
        for (const SectionReader::Record& record : strings.Records()) {
            if (++n > kKeysFormatted) break;
            (void)FormatString(record.key, parts[1]);
        }
        (void)FormatString("no such key", parts[1]);
        ParseParameterList(parts[1]);
        std::string text = FillTemplate(parts[2]);
        (void)ReplaceFirst(text, parts[1], parts[2]);
        const float fraction = FractionFrom(parts[2]);
        const std::vector<std::string> sections = IniFile::SectionNames(kStringsPath);
        for (size_t s = 0; s < sections.size() && s < kSectionsPicked; ++s) {
            (void)GetGradedString(fraction, sections[s]);
            (void)GetGradedString(-fraction, sections[s]);
            (void)GetGradedString(1.0f + fraction, sections[s]);
            (void)GetRandomString(sections[s]);
        }
        (void)GenerateNames(kStringsPath);
        ClearTokens();
        table.Unload();
    });
}

}  // namespace fuzz
