// Mission list cards.
#include "gui/menu/GUI_MissionButton.h"

#include <algorithm>

#include "core/Application.h"
#include "engine/D3DEngine.h"
#include "engine/Skin.h"
#include "engine/StyleSheet.h"
#include "gui/GuiInput.h"
#include "gui/GuiText.h"
#include "gui/menu/MenuDrawing.h"

GUI_MissionButton::GUI_MissionButton(std::string_view label, std::string_view flagTexture,
                                     bool flagAvailable, Action action)
    : GUI_Button(std::move(action)),
      label_(label),
      flagTexture_(flagTexture),
      flagAvailable_(flagAvailable) {}

void GUI_MissionButton::Draw() {
    D3DEngine& engine = D3DEngine::Instance();
    const float scale = Application::Instance().InterfaceScale();
    const bool lit = state_ == kHighlighted && enabled_;
    // Chosen: paper with a blue bar, as the briefing panel beside it.
    const std::uint32_t face =
        chosen_ ? menu_colour::kPaper
                : Skin::Instance().Get(lit ? Skin::COL_MISSIONBUTTONLIT : Skin::COL_MISSIONBUTTON);
    engine.FillRect(rect_, face);
    if (chosen_)
        engine.FillRect(Rect{rect_.left, rect_.top, rect_.left + int(5 * scale), rect_.bottom},
                        menu_colour::kBlue);
    if (lit) GuiInput::Instance().textButtonHighlighted = true;
    // The flag keeps its 3 : 2 shape, inset from the card's edges.
    const int inset = std::max(2, int(4 * scale));
    const int flagHeight = height_ - 2 * inset;
    const Rect flag{rect_.left + int(10 * scale), rect_.top + inset,
                    rect_.left + int(10 * scale) + flagHeight * 3 / 2, rect_.bottom - inset};
    DrawFramedPicture(flagTexture_, flagAvailable_, flag);
    const float top = float(rect_.top + rect_.bottom) / 2.0f -
                      float(ScaledStyleSize(StyleSheet::kHeadline)) * 0.6f;
    DrawStyledText(StyleSheet::kHeadline, float(flag.right) + 12.0f * scale, top, label_, 0.0f,
                   GdiText::kLeft, chosen_ ? menu_colour::kInk : menu_colour::kPaper);
    DrawTooltip();
}
