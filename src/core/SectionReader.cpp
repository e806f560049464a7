// Section tables from initialisation files.
#include "core/SectionReader.h"

#include <cctype>

#include "engine/DebugLog.h"
#include "platform/IniFile.h"

namespace {

const std::string kEmpty;

bool IsLineEnd(char c) { return c == '\r' || c == '\n'; }

}  // namespace

SectionReader::Record SectionReader::ParseEntry(std::string_view entry) {
    Record record;
    const size_t eq = entry.find('=');
    // An entry without "=" is all key, with an empty value.
    const std::string_view keyPart = entry.substr(0, eq);
    for (char c : keyPart) {
        if (!std::isspace(static_cast<unsigned char>(c))) record.key += c;
    }
    if (eq == std::string_view::npos) return record;
    bool escaped = false;
    for (char c : entry.substr(eq + 1)) {
        if (escaped) {
            record.value += c;
            escaped = false;
        } else if (c == '\\') {
            escaped = true;
        } else if (c != '"' && c != '=' && !IsLineEnd(c)) {
            record.value += c;
        }
    }
    return record;
}

size_t SectionReader::ReadSection(std::string_view section, std::string_view path) {
    records_.clear();
    firstIndex_.clear();
    for (const std::string& entry : IniFile::ReadSectionRaw(section, path)) {
        Record record = ParseEntry(entry);
        // Keys and values are cut at their classic lengths, deliberately and
        // with a log line, rather than spilling into neighbouring memory.
        if (record.key.size() > kMaxKeyLength || record.value.size() > kMaxValueLength) {
            Log("section [" + std::string(section) + "] of " + std::string(path) + ": entry '" +
                record.key.substr(0, 40) + "' cut to its maximum length");
            if (record.key.size() > kMaxKeyLength) record.key.resize(kMaxKeyLength);
            if (record.value.size() > kMaxValueLength) record.value.resize(kMaxValueLength);
        }
        records_.push_back(std::move(record));
    }
    for (size_t i = 0; i < records_.size(); ++i) firstIndex_.try_emplace(records_[i].key, i);
    return records_.size();
}

const std::string& SectionReader::Lookup(std::string_view key) const {
    auto it = firstIndex_.find(key);
    return it == firstIndex_.end() ? kEmpty : records_[it->second].value;
}

bool SectionReader::Contains(std::string_view key) const { return firstIndex_.count(key) != 0; }
