// System-font text in the style sheet's styles, drawn at once so that it keeps
// the stacking order of the windows it belongs to.
#pragma once

#include <cstdint>
#include <optional>
#include <string_view>

#include "engine/GdiText.h"

// The style's font height at the current interface scale, never under 12 pixels.
int ScaledStyleSize(int style);

// Draws the text in the style; `width` 0 draws one line, otherwise it wraps.
// Centred text is centred inside `width`.
void DrawStyledText(int style, float x, float y, std::string_view text, float width = 0.0f,
                    int alignment = GdiText::kLeft,
                    std::optional<std::uint32_t> colour = std::nullopt);

int StyledTextWidth(int style, std::string_view text);
int StyledTextHeight(int style, std::string_view text, int width);
