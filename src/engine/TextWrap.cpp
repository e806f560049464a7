// Greedy word wrapping.
#include "engine/TextWrap.h"

namespace {

size_t NextCharacter(std::string_view text, size_t at) {
    ++at;
    while (at < text.size() && (static_cast<unsigned char>(text[at]) & 0xC0) == 0x80) ++at;
    return at;
}

// Breaks a word that cannot fit a line on its own into pieces that do.
void BreakLongWord(std::string_view word, int width,
                   const std::function<int(std::string_view)>& measure,
                   std::vector<std::string>& lines, std::string& line) {
    size_t start = 0;
    while (start < word.size()) {
        size_t end = NextCharacter(word, start);  // at least one character per line
        for (size_t next = end; end < word.size(); end = next) {
            next = NextCharacter(word, end);
            if (measure(word.substr(start, next - start)) > width) break;
        }
        line = std::string(word.substr(start, end - start));
        start = end;
        if (start < word.size()) lines.push_back(line);
    }
}

}  // namespace

std::vector<std::string> WrapText(std::string_view text, int width,
                                  const std::function<int(std::string_view)>& measure) {
    std::vector<std::string> lines;
    size_t paragraphStart = 0;
    while (paragraphStart <= text.size()) {
        size_t paragraphEnd = text.find('\n', paragraphStart);
        if (paragraphEnd == std::string_view::npos) paragraphEnd = text.size();
        std::string_view paragraph = text.substr(paragraphStart, paragraphEnd - paragraphStart);
        if (!paragraph.empty() && paragraph.back() == '\r') paragraph.remove_suffix(1);
        std::string line;
        size_t at = 0;
        while (at < paragraph.size()) {
            const size_t wordEnd = std::min(paragraph.find(' ', at), paragraph.size());
            const std::string_view word = paragraph.substr(at, wordEnd - at);
            const std::string candidate =
                line.empty() ? std::string(word) : line + " " + std::string(word);
            if (measure(candidate) <= width || (line.empty() && word.empty())) {
                line = candidate;
            } else {
                if (!line.empty()) lines.push_back(line);
                line.clear();
                if (measure(word) <= width)
                    line = std::string(word);
                else
                    BreakLongWord(word, width, measure, lines, line);
            }
            at = wordEnd + 1;
        }
        lines.push_back(line);
        paragraphStart = paragraphEnd + 1;
    }
    return lines;
}
