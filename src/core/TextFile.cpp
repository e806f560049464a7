// Reading data files into lines.
#include "core/TextFile.h"

#include "platform/FileSystem.h"

std::optional<TextFile> TextFile::Open(std::string_view path) {
    auto content = platform::ReadFile(path);
    if (!content) return std::nullopt;
    return FromText(path, *content);
}

TextFile TextFile::FromText(std::string_view path, std::string_view text) {
    TextFile file;
    file.path_ = path;
    size_t pos = 0;
    while (pos < text.size()) {
        size_t nl = text.find('\n', pos);
        const size_t next = nl == std::string_view::npos ? text.size() : nl + 1;
        if (nl == std::string_view::npos) nl = text.size();
        if (nl > pos && text[nl - 1] == '\r') --nl;
        file.lines_.emplace_back(text.substr(pos, nl - pos));
        pos = next;
    }
    return file;
}
