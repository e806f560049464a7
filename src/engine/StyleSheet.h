// The seven named text styles of "data/stylesheet.ini" (face, size, colour)
// that interface text picks by number, so the look changes without a rebuild.
#pragma once

#include <array>
#include <string>
#include <string_view>

struct TextStyle {
    std::string face;  // empty: the platform's default font
    int size = 0;
    int red = 255, green = 255, blue = 255;
};

class StyleSheet {
public:
    enum Index {
        kTitle,
        kParagraph,
        kHeadline,
        kApproval,
        kRcMenu,
        kButtonText,
        kBoldText,
        kCount
    };
    static constexpr const char* kSectionNames[kCount] = {
        "TITLE", "PARAGRAPH", "HEADLINE", "APPROVAL", "RCMENU", "BUTTONTEXT", "BOLDTEXT"};

    static StyleSheet& Instance();

    // Missing sections and keys keep their defaults (empty face, size 0,
    // white) and are each reported as a data warning naming file and key.
    void Load(std::string_view path = "data/stylesheet.ini");
    const TextStyle& Style(int index) const;
    // Selects the style's font and colour for the following system-font text.
    void SetStyle(int index) const;

private:
    StyleSheet() = default;
    std::array<TextStyle, kCount> styles_{};
};
