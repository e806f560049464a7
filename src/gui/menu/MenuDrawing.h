// Drawing the menu screens share: the heading with its band of group colours,
// pictures that fall back to a plain panel, and the shared button places.
#pragma once

#include <cstdint>
#include <string_view>

#include "engine/Skin.h"
#include "engine/Sprite.h"

namespace menu_colour {
constexpr SkinColour kInk{Skin::COL_INK};
constexpr SkinColour kPaper{Skin::COL_PAPER};
constexpr SkinColour kMuted{Skin::COL_MUTED};
// Muted grey darkened so that small text on paper keeps its contrast.
constexpr SkinColour kMutedText{Skin::COL_MENUMUTEDTEXT};
constexpr SkinColour kBlue{Skin::COL_ACCENT};
}  // namespace menu_colour

// The screen's title in paper on the slate, and the seven policy-group
// colours beneath it, as on the main menu.
void DrawMenuHeading(std::string_view title, float scale);

// The texture stretched over the rectangle and framed in ink; when it is
// missing (`available` false) a plain muted panel stands in for it.
void DrawFramedPicture(std::string_view texture, bool available, const Rect& rect);

// Where "Main Menu" sits on the list screens: bottom left.
Rect MenuBackButtonRect(int height, float scale);
