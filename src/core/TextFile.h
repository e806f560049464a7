// A data file read whole and split into lines. CRLF and LF both end a line,
// line ends are removed, and each line keeps its number for messages. Lines
// of any length are read whole.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

class TextFile {
public:
    // Nothing when the file cannot be read.
    static std::optional<TextFile> Open(std::string_view path);
    static TextFile FromText(std::string_view path, std::string_view text);

    const std::string& Path() const { return path_; }
    const std::vector<std::string>& Lines() const { return lines_; }
    size_t LineCount() const { return lines_.size(); }
    // 1-based, for messages.
    const std::string& Line(size_t number) const { return lines_[number - 1]; }

private:
    std::string path_;
    std::vector<std::string> lines_;
};
