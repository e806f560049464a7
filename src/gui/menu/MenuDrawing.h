// Drawing the menu screens share: the heading with its band of group colours,
// pictures that fall back to a plain panel, and the shared button places.
#pragma once

#include <cstdint>
#include <string_view>

#include "engine/Sprite.h"

namespace menu_colour {
constexpr std::uint32_t kInk = 0xFF1B2A41u;
constexpr std::uint32_t kPaper = 0xFFF4F1EAu;
constexpr std::uint32_t kMuted = 0xFF8A94A3u;
// Muted grey darkened so that small text on paper keeps its contrast.
constexpr std::uint32_t kMutedText = 0xFF4F5A6Au;
constexpr std::uint32_t kBlue = 0xFF0072B2u;
}  // namespace menu_colour

// The screen's title in paper on the slate, and the seven policy-group
// colours beneath it, as on the main menu.
void DrawMenuHeading(std::string_view title, float scale);

// The texture stretched over the rectangle and framed in ink; when it is
// missing (`available` false) a plain muted panel stands in for it.
void DrawFramedPicture(std::string_view texture, bool available, const Rect& rect);

// Where "Main Menu" sits on the list screens: bottom left.
Rect MenuBackButtonRect(int height, float scale);
