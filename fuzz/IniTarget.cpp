// Initialisation files: the platform's reader and writer, the section reader,
// and the loaders of style sheet, skin, options and missions that stand on them.
#include <cstdlib>

#include "FuzzSupport.h"
#include "FuzzTargets.h"
#include "core/DataFiles.h"
#include "core/SectionReader.h"
#include "engine/Skin.h"
#include "engine/StyleSheet.h"
#include "platform/IniFile.h"
#include "simulation/GameOptions.h"
#include "simulation/Mission.h"

namespace fuzz {

namespace {

constexpr const char* kPath = "fuzz.ini";
// Enough to reach every kind of line without making one input slow.
constexpr size_t kSectionsRead = 16;
constexpr size_t kEntriesRead = 16;

void ReadEverything() {
    SectionReader reader;
    const std::vector<std::string> sections = IniFile::SectionNames(kPath);
    for (size_t s = 0; s < sections.size() && s < kSectionsRead; ++s) {
        const std::string& section = sections[s];
        reader.ReadSection(section, kPath);
        size_t n = 0;
        for (const SectionReader::Record& record : reader.Records()) {
            if (++n > kEntriesRead) break;
            (void)reader.Lookup(record.key);
            (void)ReadNumber(section, record.key, 0.5f, kPath);
            (void)ReadWholeNumber(section, record.key, 7, kPath);
            (void)ReadText(section, record.key, 32, kPath);
            (void)IniFile::ReadInt(section, record.key, 3, kPath);
        }
    }
    StyleSheet::Instance().Load(kPath);
    Skin::Instance().Load(kPath);
    GameOptions::Instance().Load(kPath);
    Mission::Instance().Load(kPath);
}

// What the game writes it must read back, whatever else the file holds.
void WriteAndReadBack() {
    const std::vector<std::string> sections = IniFile::SectionNames(kPath);
    const std::string section = sections.empty() ? "fuzz" : sections.front();
    std::string key = "written";
    const std::vector<std::string> entries = IniFile::ReadSectionRaw(section, kPath);
    if (!entries.empty()) {
        const SectionReader::Record first = SectionReader::ParseEntry(entries.front());
        const std::string raw = entries.front().substr(0, entries.front().find('='));
        // Only a key the writer can name: no blanks around it, nothing it would misread.
        if (!first.key.empty() && raw == first.key && first.key.find_first_of("[];\"'\r\n") == std::string::npos)
            key = first.key;
    }
    if (!IniFile::Write(section, key, std::string("0.25"), kPath)) return;
    if (IniFile::ReadString(section, key, "missing", kPath) != "0.25") std::abort();
    if (!WriteNumber(section, key, 0.5f, kPath)) return;
    if (ReadNumber(section, key, 9.0f, kPath) != 0.5f) std::abort();
    if (!IniFile::Write(section, key, std::nullopt, kPath)) return;
    (void)IniFile::RemoveSection(section, kPath);
}

}  // namespace

void FuzzIni(std::string_view input) {
    Guarded([input] {
        WriteInputFile(kPath, input);
        ReadEverything();
        WriteAndReadBack();
    });
}

}  // namespace fuzz
