// Menu headings, framed pictures and shared button places.
#include "gui/menu/MenuDrawing.h"

#include <algorithm>

#include "engine/D3DEngine.h"
#include "engine/Skin.h"
#include "engine/StyleSheet.h"
#include "gui/GuiText.h"

void DrawMenuHeading(std::string_view title, float scale) {
    D3DEngine& engine = D3DEngine::Instance();
    const float left = 40.0f * scale;
    DrawStyledText(StyleSheet::kTitle, left, 24.0f * scale, title, 0.0f, GdiText::kLeft,
                   menu_colour::kPaper);
    const int top = int(66.0f * scale), bottom = top + std::max(2, int(4.0f * scale));
    const int stripe = int(40.0f * scale);
    for (int i = 0; i < Skin::kGroupCount; ++i)
        engine.FillRect(Rect{int(left) + i * stripe, top, int(left) + (i + 1) * stripe, bottom},
                        Skin::Instance().GroupColour(i));
}

void DrawFramedPicture(std::string_view texture, bool available, const Rect& rect) {
    D3DEngine& engine = D3DEngine::Instance();
    if (available) {
        engine.SetTexture(texture);
        Sprite picture;
        picture.SetSize(float(rect.right - rect.left), float(rect.bottom - rect.top));
        picture.SetPosition(float(rect.left + rect.right) / 2.0f,
                            float(rect.top + rect.bottom) / 2.0f);
        picture.DrawUnchecked();
    } else {
        engine.FillRect(rect, Skin::Instance().Get(Skin::COL_NOPICTURE));
    }
    engine.DrawRectOutline(rect, menu_colour::kInk);
}

Rect MenuBackButtonRect(int height, float scale) {
    const int left = int(40.0f * scale), bottom = height - int(24.0f * scale);
    return Rect{left, bottom - int(40.0f * scale), left + int(176.0f * scale), bottom};
}
