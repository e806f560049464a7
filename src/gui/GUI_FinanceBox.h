// The small dark box above the control panel with this turn's income, its
// expenses, and the reserves (green) or the debt (red).
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "engine/Skin.h"
#include "engine/Sprite.h"

class GUI_FinanceBox {
public:
    static constexpr SkinColour kFill{Skin::COL_FINANCEBOX};
    static constexpr SkinColour kOutline{Skin::COL_FINANCEBOXEDGE};
    static constexpr SkinColour kRed{Skin::COL_FINANCEBAD};
    static constexpr SkinColour kGreen{Skin::COL_FINANCEGOOD};

    struct Line {
        std::string text;
        std::uint32_t colour = 0;
    };

    // The three lines from the accounts; `ink` is the income line's colour.
    static std::vector<Line> Lines(float income, float expenses, float reserves, float debt,
                                   std::uint32_t ink);
    // W/2 +- 90 across (wider when the text needs it), 70 high, its bottom
    // 70 above the screen's bottom; heights at the interface scale.
    static Rect BoxRect(int screenWidth, int screenHeight, float scale, int textWidth = 0);

    // Draws the box from the current accounts.
    static void Draw(int screenWidth, int screenHeight, float scale);
};
