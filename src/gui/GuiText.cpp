// Styled system-font text for widgets.
#include "gui/GuiText.h"

#include <algorithm>
#include <cmath>

#include "core/Application.h"
#include "engine/StyleSheet.h"

namespace {

void SelectStyle(int style) {
    const TextStyle& look = StyleSheet::Instance().Style(style);
    GdiText::Instance().SelectFont(look.face, ScaledStyleSize(style));
}

}  // namespace

int ScaledStyleSize(int style) {
    const TextStyle& look = StyleSheet::Instance().Style(style);
    const float scale = Application::Instance().InterfaceScale();
    return std::max(12, int(std::lround(float(look.size > 0 ? look.size : 16) * scale)));
}

void DrawStyledText(int style, float x, float y, std::string_view text, float width, int alignment,
                    std::optional<std::uint32_t> colour) {
    GdiText& gdi = GdiText::Instance();
    const TextStyle& look = StyleSheet::Instance().Style(style);
    gdi.BeginGdiText();
    SelectStyle(style);
    if (colour)
        gdi.SetTextColour(int(*colour >> 16 & 0xFF), int(*colour >> 8 & 0xFF), int(*colour & 0xFF));
    else
        gdi.SetTextColour(look.red, look.green, look.blue);
    float left = x;
    if (alignment == GdiText::kCentre) left += width / 2.0f - float(gdi.TextWidth(text)) / 2.0f;
    if (alignment == GdiText::kRight) left += width - float(gdi.TextWidth(text));
    gdi.DrawGdiText(left, y, text, alignment == GdiText::kLeft ? width : 0.0f);
    gdi.EndGdiText();
}

int StyledTextWidth(int style, std::string_view text) {
    SelectStyle(style);
    return GdiText::Instance().TextWidth(text);
}

int StyledTextHeight(int style, std::string_view text, int width) {
    SelectStyle(style);
    return GdiText::Instance().TextHeight(text, width);
}
