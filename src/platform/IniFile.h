// Initialisation files with the semantics of the Windows private-profile
// functions: sections and keys match without regard to case, the first match
// wins, values lose surrounding blanks and one pair of quotes, and writes
// change one line while keeping every other byte of the file.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

class IniFile {
public:
    // The value of the key, or nothing when the file, section or key is missing.
    static std::optional<std::string> Find(std::string_view section, std::string_view key,
                                           std::string_view path);

    // GetPrivateProfileString: the value, or `fallback` when the key is missing.
    static std::string ReadString(std::string_view section, std::string_view key,
                                  std::string_view fallback, std::string_view path);

    // GetPrivateProfileInt: the leading whole number of the value ("0x" for
    // hexadecimal), `fallback` when the key is missing or its value empty.
    static int ReadInt(std::string_view section, std::string_view key, int fallback,
                       std::string_view path);

    // GetPrivateProfileSection: every entry line of the section as written,
    // blanks around it removed, comments (";") and empty lines left out.
    static std::vector<std::string> ReadSectionRaw(std::string_view section, std::string_view path);

    // Section names in file order.
    static std::vector<std::string> SectionNames(std::string_view path);

    // WritePrivateProfileString: sets key=value (creating the section and the
    // file when needed); an empty optional removes the key. The rest of the
    // file is kept byte for byte, and the file is replaced atomically.
    static bool Write(std::string_view section, std::string_view key,
                      const std::optional<std::string>& value, std::string_view path,
                      std::string* error = nullptr);

    // Sets several keys of one section in a single atomic rewrite.
    static bool WriteEntries(std::string_view section,
                             const std::vector<std::pair<std::string, std::string>>& entries, std::string_view path,
                             std::string* error = nullptr);

    // Removes the whole section.
    static bool RemoveSection(std::string_view section, std::string_view path,
                              std::string* error = nullptr);

    // Forgets every parsed file; later reads go to disk again.
    static void ClearCache();
};
