// Parsing, caching and line-preserving writes of initialisation files.
#include "platform/IniFile.h"

#include <filesystem>
#include <map>
#include <memory>
#include <unordered_map>

#include "platform/FileSystem.h"

namespace {

namespace fs = std::filesystem;

bool IsBlank(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n' || c == '\f' || c == '\v'; }

std::string_view Trim(std::string_view s) {
    while (!s.empty() && IsBlank(s.front())) s.remove_prefix(1);
    while (!s.empty() && IsBlank(s.back())) s.remove_suffix(1);
    return s;
}

std::string Lower(std::string_view s) {
    std::string out(s);
    for (char& c : out) {
        if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
    }
    return out;
}

// One line of the file split into its text and its line ending, so a write can
// put every untouched line back exactly as it was.
struct RawLine {
    std::string text;
    std::string ending;
};

std::vector<RawLine> SplitLines(const std::string& content) {
    std::vector<RawLine> lines;
    size_t pos = 0;
    while (pos < content.size()) {
        size_t nl = content.find('\n', pos);
        RawLine line;
        if (nl == std::string::npos) {
            line.text = content.substr(pos);
            pos = content.size();
        } else {
            size_t textEnd = nl;
            if (textEnd > pos && content[textEnd - 1] == '\r') --textEnd;
            line.text = content.substr(pos, textEnd - pos);
            line.ending = content.substr(textEnd, nl + 1 - textEnd);
            pos = nl + 1;
        }
        lines.push_back(std::move(line));
    }
    return lines;
}

enum class LineKind { Empty, Comment, Section, Entry };

LineKind Classify(std::string_view text) {
    const std::string_view t = Trim(text);
    if (t.empty()) return LineKind::Empty;
    if (t.front() == ';') return LineKind::Comment;
    if (t.front() == '[') return LineKind::Section;
    return LineKind::Entry;
}

std::string SectionName(std::string_view text) {
    std::string_view t = Trim(text);
    t.remove_prefix(1);
    const size_t close = t.find(']');
    if (close != std::string_view::npos) t = t.substr(0, close);
    return std::string(Trim(t));
}

std::string EntryKey(std::string_view text) {
    const std::string_view t = Trim(text);
    return std::string(Trim(t.substr(0, t.find('='))));
}

std::string EntryValue(std::string_view text) {
    const std::string_view t = Trim(text);
    const size_t eq = t.find('=');
    if (eq == std::string_view::npos) return std::string();
    std::string_view v = Trim(t.substr(eq + 1));
    if (v.size() >= 2 && (v.front() == '"' || v.front() == '\'') && v.back() == v.front()) {
        v = v.substr(1, v.size() - 2);
    }
    return std::string(v);
}

struct ParsedSection {
    std::string name;
    std::vector<std::string> rawEntries;
    std::unordered_map<std::string, std::string> firstValueByKey;  // lower-case keys
};

struct ParsedFile {
    fs::file_time_type modified;
    std::uintmax_t size = 0;
    std::vector<std::string> sectionOrder;
    std::unordered_map<std::string, ParsedSection> sections;  // lower-case names, first wins
};

std::map<std::string, std::shared_ptr<const ParsedFile>>& Cache() {
    static std::map<std::string, std::shared_ptr<const ParsedFile>> cache;
    return cache;
}

std::shared_ptr<const ParsedFile> Parse(const std::string& content) {
    auto file = std::make_shared<ParsedFile>();
    ParsedSection* current = nullptr;
    for (const RawLine& line : SplitLines(content)) {
        switch (Classify(line.text)) {
            case LineKind::Empty:
            case LineKind::Comment:
                break;
            case LineKind::Section: {
                const std::string name = SectionName(line.text);
                auto [it, inserted] = file->sections.try_emplace(Lower(name));
                if (inserted) {
                    it->second.name = name;
                    file->sectionOrder.push_back(name);
                    current = &it->second;
                } else {
                    current = nullptr;  // a repeated section is shadowed by the first
                }
                break;
            }
            case LineKind::Entry:
                if (current) {
                    current->rawEntries.emplace_back(Trim(line.text));
                    current->firstValueByKey.try_emplace(Lower(EntryKey(line.text)), EntryValue(line.text));
                }
                break;
        }
    }
    return file;
}

std::shared_ptr<const ParsedFile> Load(std::string_view path) {
    const std::string real = platform::ResolvePath(path);
    std::error_code ec;
    const auto modified = fs::last_write_time(real, ec);
    if (ec) return nullptr;
    const auto size = fs::file_size(real, ec);
    if (ec) return nullptr;
    auto& cache = Cache();
    auto it = cache.find(real);
    if (it != cache.end() && it->second->modified == modified && it->second->size == size) return it->second;
    auto content = platform::ReadFile(real);
    if (!content) return nullptr;
    auto parsed = std::const_pointer_cast<ParsedFile>(Parse(*content));
    parsed->modified = modified;
    parsed->size = size;
    cache[real] = parsed;
    return parsed;
}

const ParsedSection* FindSection(const ParsedFile* file, std::string_view section) {
    if (!file) return nullptr;
    auto it = file->sections.find(Lower(section));
    return it == file->sections.end() ? nullptr : &it->second;
}

// Rewrites the file with `edit` applied to its lines; the edit returns false
// when there is nothing to change.
template <typename Edit>
bool Rewrite(std::string_view path, std::string* error, Edit edit) {
    // Read where the file is found (perhaps the shipped copy), written where
    // the player's copy belongs.
    const std::string real = platform::ResolvePath(path);
    const std::string target = platform::ResolvePathForWriting(path);
    const std::string content = platform::ReadFile(real).value_or(std::string());
    std::vector<RawLine> lines = SplitLines(content);
    const std::string eol = content.find("\r\n") != std::string::npos ? "\r\n" : "\n";
    if (!edit(lines, eol)) return true;
    std::string out;
    out.reserve(content.size() + 64);
    for (const RawLine& line : lines) out += line.text + line.ending;
    Cache().erase(real);
    Cache().erase(target);
    return platform::WriteFileAtomically(target, out, error);
}

// Index of the first header line of the section, or lines.size().
size_t FindHeader(const std::vector<RawLine>& lines, std::string_view section) {
    for (size_t i = 0; i < lines.size(); ++i) {
        if (Classify(lines[i].text) == LineKind::Section &&
            platform::EqualsIgnoringCase(SectionName(lines[i].text), section)) {
            return i;
        }
    }
    return lines.size();
}

// One past the last line belonging to the section that starts at `header`.
size_t SectionEnd(const std::vector<RawLine>& lines, size_t header) {
    size_t i = header + 1;
    while (i < lines.size() && Classify(lines[i].text) != LineKind::Section) ++i;
    return i;
}

}  // namespace

std::optional<std::string> IniFile::Find(std::string_view section, std::string_view key, std::string_view path) {
    const auto file = Load(path);
    const ParsedSection* s = FindSection(file.get(), section);
    if (!s) return std::nullopt;
    auto it = s->firstValueByKey.find(Lower(key));
    if (it == s->firstValueByKey.end()) return std::nullopt;
    return it->second;
}

std::string IniFile::ReadString(std::string_view section, std::string_view key, std::string_view fallback,
                                std::string_view path) {
    auto value = Find(section, key, path);
    return value ? *value : std::string(fallback);
}

int IniFile::ReadInt(std::string_view section, std::string_view key, int fallback, std::string_view path) {
    const auto value = Find(section, key, path);
    if (!value || value->empty()) return fallback;
    std::string_view v = Trim(*value);
    bool negative = false;
    if (!v.empty() && (v.front() == '-' || v.front() == '+')) {
        negative = v.front() == '-';
        v.remove_prefix(1);
    }
    int base = 10;
    if (v.size() > 2 && v[0] == '0' && (v[1] == 'x' || v[1] == 'X')) {
        base = 16;
        v.remove_prefix(2);
    }
    long long result = 0;
    for (char c : v) {
        int digit;
        if (c >= '0' && c <= '9') digit = c - '0';
        else if (base == 16 && c >= 'a' && c <= 'f') digit = c - 'a' + 10;
        else if (base == 16 && c >= 'A' && c <= 'F') digit = c - 'A' + 10;
        else break;
        result = result * base + digit;
        if (result > 0xFFFFFFFFLL) break;  // wraps like a 32-bit read would; stop before overflow
    }
    return static_cast<int>(static_cast<unsigned int>(negative ? -result : result));
}

std::vector<std::string> IniFile::ReadSectionRaw(std::string_view section, std::string_view path) {
    const auto file = Load(path);
    const ParsedSection* s = FindSection(file.get(), section);
    return s ? s->rawEntries : std::vector<std::string>();
}

std::vector<std::string> IniFile::SectionNames(std::string_view path) {
    const auto file = Load(path);
    return file ? file->sectionOrder : std::vector<std::string>();
}

namespace {

// Sets or removes one key in the lines of a file; false when nothing changed.
bool SetKey(std::vector<RawLine>& lines, const std::string& eol, std::string_view section, std::string_view key,
            const std::optional<std::string>& value) {
    const size_t header = FindHeader(lines, section);
    if (header == lines.size()) {
        if (!value) return false;
        if (!lines.empty() && lines.back().ending.empty()) lines.back().ending = eol;
        if (!lines.empty()) lines.push_back({"", eol});
        lines.push_back({"[" + std::string(section) + "]", eol});
        lines.push_back({std::string(key) + "=" + *value, eol});
        return true;
    }
    const size_t end = SectionEnd(lines, header);
    size_t lastEntry = header;
    for (size_t i = header + 1; i < end; ++i) {
        if (Classify(lines[i].text) != LineKind::Entry) continue;
        lastEntry = i;
        const std::string existing = EntryKey(lines[i].text);
        if (!platform::EqualsIgnoringCase(existing, key)) continue;
        if (value) {
            lines[i].text = existing + "=" + *value;
        } else {
            lines.erase(lines.begin() + static_cast<std::ptrdiff_t>(i));
        }
        return true;
    }
    if (!value) return false;
    if (lines[lastEntry].ending.empty()) lines[lastEntry].ending = eol;
    lines.insert(lines.begin() + static_cast<std::ptrdiff_t>(lastEntry) + 1,
                 RawLine{std::string(key) + "=" + *value, eol});
    return true;
}

}  // namespace

bool IniFile::Write(std::string_view section, std::string_view key, const std::optional<std::string>& value,
                    std::string_view path, std::string* error) {
    return Rewrite(path, error, [&](std::vector<RawLine>& lines, const std::string& eol) {
        return SetKey(lines, eol, section, key, value);
    });
}

bool IniFile::WriteEntries(std::string_view section, const std::vector<std::pair<std::string, std::string>>& entries,
                           std::string_view path, std::string* error) {
    return Rewrite(path, error, [&](std::vector<RawLine>& lines, const std::string& eol) {
        bool changed = false;
        for (const auto& [key, value] : entries) changed = SetKey(lines, eol, section, key, value) || changed;
        return changed;
    });
}

bool IniFile::RemoveSection(std::string_view section, std::string_view path, std::string* error) {
    return Rewrite(path, error, [&](std::vector<RawLine>& lines, const std::string&) {
        const size_t header = FindHeader(lines, section);
        if (header == lines.size()) return false;
        lines.erase(lines.begin() + static_cast<std::ptrdiff_t>(header),
                    lines.begin() + static_cast<std::ptrdiff_t>(SectionEnd(lines, header)));
        return true;
    });
}

void IniFile::ClearCache() { Cache().clear(); }
