// The scan of source text for string-table keys.
#include "aids/StringKeyScan.h"

#include <algorithm>
#include <cctype>
#include <set>

namespace {

struct CallName {
    std::string_view name;
    StringKeyUse::Kind kind;
};

constexpr CallName kReaders[] = {
    {"GetString", StringKeyUse::Kind::Key},
    {"FormatString", StringKeyUse::Kind::Key},
    {"GetRandomString", StringKeyUse::Kind::Section},
    {"GetGradedString", StringKeyUse::Kind::Section},
    {"GetVariedString", StringKeyUse::Kind::Section},
};

bool IsWordChar(char c) {
    return std::isalnum(static_cast<unsigned char>(c)) || c == '_';
}

// Keys, sections and patterns are words; a literal with blanks, "=" or
// punctuation is a message or a format, not a key.
bool IsKeyLike(std::string_view text) {
    if (text.size() < 2) return false;
    bool letter = false;
    for (size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        if (c == '%') {
            if (i + 1 >= text.size() || (text[i + 1] != 'd' && text[i + 1] != 's')) return false;
            ++i;
            continue;
        }
        if (!IsWordChar(c)) return false;
        letter = letter || std::isalpha(static_cast<unsigned char>(c));
    }
    return letter;
}

bool IsFragment(std::string_view text) {
    return text.front() == '_' || text.back() == '_';
}

struct OpenCall {
    StringKeyUse::Kind kind;
    int depth;  // bracket depth inside the call's own brackets
};

class Scanner {
public:
    Scanner(std::string_view source, std::string_view fileName, StringKeyUsage& usage)
        : s_(source), file_(fileName), usage_(usage) {}

    void Run() {
        while (i_ < s_.size()) Step();
    }

private:
    void Step() {
        const char c = s_[i_];
        if (c == '\n') {
            ++line_;
            ++i_;
        } else if (s_.compare(i_, 2, "//") == 0) {
            while (i_ < s_.size() && s_[i_] != '\n') ++i_;
        } else if (s_.compare(i_, 2, "/*") == 0) {
            const size_t end = s_.find("*/", i_ + 2);
            const size_t stop = end == std::string_view::npos ? s_.size() : end + 2;
            line_ += static_cast<int>(std::count(s_.begin() + static_cast<long>(i_),
                                                 s_.begin() + static_cast<long>(stop), '\n'));
            i_ = stop;
        } else if (c == '"') {
            Literal(ReadQuoted('"'));
        } else if (c == '\'') {
            ReadQuoted('\'');
        } else if (c == '(') {
            ++depth_;
            ++i_;
        } else if (c == ')') {
            --depth_;
            while (!calls_.empty() && calls_.back().depth > depth_) calls_.pop_back();
            ++i_;
        } else if (IsWordChar(c)) {
            Word();
        } else {
            ++i_;
        }
    }

    void Word() {
        const size_t start = i_;
        while (i_ < s_.size() && IsWordChar(s_[i_])) ++i_;
        const std::string_view word = s_.substr(start, i_ - start);
        if (word == "R" && i_ < s_.size() && s_[i_] == '"') {
            RawLiteral();
            return;
        }
        size_t next = i_;
        while (next < s_.size() && (s_[next] == ' ' || s_[next] == '\t')) ++next;
        if (next >= s_.size() || s_[next] != '(') return;
        for (const CallName& reader : kReaders) {
            if (word == reader.name) calls_.push_back({reader.kind, depth_ + 1});
        }
    }

    // The text between the quotes, escapes kept as written.
    std::string ReadQuoted(char quote) {
        std::string text;
        ++i_;
        while (i_ < s_.size() && s_[i_] != quote && s_[i_] != '\n') {
            if (s_[i_] == '\\' && i_ + 1 < s_.size()) text += s_[i_++];
            text += s_[i_++];
        }
        if (i_ < s_.size() && s_[i_] == quote) ++i_;
        return text;
    }

    void RawLiteral() {
        const size_t open = s_.find('(', i_);
        if (open == std::string_view::npos) {
            i_ = s_.size();
            return;
        }
        const std::string closing = ")" + std::string(s_.substr(i_ + 1, open - i_ - 1)) + "\"";
        const size_t end = s_.find(closing, open);
        const size_t stop = end == std::string_view::npos ? s_.size() : end + closing.size();
        line_ += static_cast<int>(std::count(s_.begin() + static_cast<long>(i_),
                                             s_.begin() + static_cast<long>(stop), '\n'));
        i_ = stop;
    }

    void Literal(const std::string& text) {
        if (!IsKeyLike(text)) return;
        usage_.mentioned.push_back(text);
        if (calls_.empty() || IsFragment(text)) return;
        usage_.asked.push_back(
            {calls_.back().kind, text, std::string(file_) + ":" + std::to_string(line_)});
    }

    std::string_view s_;
    std::string_view file_;
    StringKeyUsage& usage_;
    std::vector<OpenCall> calls_;
    size_t i_ = 0;
    int line_ = 1;
    int depth_ = 0;
};

std::string Quoted(std::string_view text) {
    std::string out = "\"";
    for (char c : text) {
        if (c == '"' || c == '\\') out += '\\';
        out += c;
    }
    return out + "\"";
}

}  // namespace

void ScanSourceForStringKeys(std::string_view source, std::string_view fileName,
                             StringKeyUsage& usage) {
    Scanner(source, fileName, usage).Run();
}

bool StringKeyMatches(std::string_view pattern, std::string_view key) {
    if (pattern.empty()) return key.empty();
    if (pattern.size() >= 2 && pattern[0] == '%' && (pattern[1] == 'd' || pattern[1] == 's')) {
        const bool digits = pattern[1] == 'd';
        // One or more characters, then the rest of the pattern.
        for (size_t taken = 1; taken <= key.size(); ++taken) {
            const char c = key[taken - 1];
            if (digits ? !std::isdigit(static_cast<unsigned char>(c)) : !IsWordChar(c)) break;
            if (StringKeyMatches(pattern.substr(2), key.substr(taken))) return true;
        }
        return false;
    }
    return !key.empty() && key[0] == pattern[0] &&
           StringKeyMatches(pattern.substr(1), key.substr(1));
}

std::string WriteStringKeyUsage(const StringKeyUsage& usage) {
    std::string out =
        "// Generated from the source by the string key scan; not edited by hand.\n{\n    {\n";
    for (const StringKeyUse& use : usage.asked) {
        out += "        {StringKeyUse::Kind::";
        out += use.kind == StringKeyUse::Kind::Key ? "Key" : "Section";
        out += ", " + Quoted(use.text) + ", " + Quoted(use.where) + "},\n";
    }
    out += "    },\n    {\n";
    const std::set<std::string> mentioned(usage.mentioned.begin(), usage.mentioned.end());
    for (const std::string& text : mentioned) out += "        " + Quoted(text) + ",\n";
    out += "    },\n}\n";
    return out;
}
