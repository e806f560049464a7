// Reads a whole section of an initialisation file into an ordered table of
// key/value records. Keys lose every blank; values lose double quotes, "="
// and line ends unless a backslash escapes them. Look-ups are exact and
// case-sensitive, unlike the file's own section names.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "core/StringMap.h"

class SectionReader {
public:
    struct Record {
        std::string key;
        std::string value;
    };

    static constexpr size_t kMaxKeyLength = 255;
    static constexpr size_t kMaxValueLength = 2047;

    // Empties the table and fills it from the section; a missing file or
    // section leaves it empty. Returns the number of records.
    size_t ReadSection(std::string_view section, std::string_view path);

    // The value of the first record with exactly this key, or "".
    const std::string& Lookup(std::string_view key) const;
    bool Contains(std::string_view key) const;

    const std::vector<Record>& Records() const { return records_; }
    size_t Size() const { return records_.size(); }

    // Splits one raw "key=value" entry by the rules above.
    static Record ParseEntry(std::string_view entry);

private:
    std::vector<Record> records_;
    StringMap<size_t> firstIndex_;
};
