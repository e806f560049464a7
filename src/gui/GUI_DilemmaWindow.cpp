// The dilemma window.
#include "gui/GUI_DilemmaWindow.h"

#include <algorithm>

#include "engine/StyleSheet.h"
#include "gui/GUI_TextButton.h"
#include "world/Dilemma.h"
#include "world/StringTable.h"

namespace {
constexpr float kWidth = 600.0f;
constexpr float kInset = 15.0f;
constexpr float kTop = 48.0f;
constexpr float kButtonLeft = 100.0f;
constexpr float kButtonRight = 500.0f;
// The headline label needs more than the classic 20 pixels to stay off
// the button's edges.
constexpr float kButtonHeight = 28.0f;
// The tallest the window may grow, so it fits a wide screen at its scale.
constexpr float kMaxHeight = 560.0f;

GUI_InfoWindow::Options Modal() {
    GUI_InfoWindow::Options options;
    options.modal = true;
    return options;
}
}  // namespace

GUI_DilemmaWindow::GUI_DilemmaWindow(const Dilemma& dilemma)
    : GUI_InfoWindow(GetString("POLICY_DILEMMA") + " : " + dilemma.DisplayName(), kWidth, 300.0f,
                     Modal()),
      dilemma_(&dilemma),
      description_(dilemma.Description()) {
    const float textWidth = kWidth - 2.0f * kInset;
    std::array<float, 2> buttonTops{};
    float y = kTop + TextHeight(StyleSheet::kParagraph, description_, textWidth) + 18.0f;
    for (size_t i = 0; i < buttonTops.size(); ++i) {
        optionTexts_[i] = dilemma.Options()[i].description;
        buttonTops[i] = y;
        optionTops_[i] = y + kButtonHeight + 6.0f;
        y = optionTops_[i] + TextHeight(StyleSheet::kApproval, optionTexts_[i], textWidth) + 18.0f;
    }
    Resize(kWidth, std::min(kMaxHeight, y + 4.0f));
    for (size_t i = 0; i < buttons_.size(); ++i) {
        const int option = int(i);
        buttons_[i] =
            Add<GUI_TextButton>(dilemma.Options()[i].label, [this, option] { Choose(option); });
        Place(buttons_[i], kButtonLeft, buttonTops[i], kButtonRight, buttonTops[i] + kButtonHeight);
    }
}

Dilemma* GUI_DilemmaWindow::GetDilemma() const {
    return static_cast<Dilemma*>(dilemma_.Get());
}

void GUI_DilemmaWindow::Choose(int option) {
    if (Dilemma* dilemma = GetDilemma()) dilemma->Choose(option);
    Close();
}

void GUI_DilemmaWindow::DrawContent() {
    const float textWidth = kWidth - 2.0f * kInset;
    Text(StyleSheet::kParagraph, kInset, kTop, description_, textWidth);
    for (size_t i = 0; i < optionTexts_.size(); ++i)
        Text(StyleSheet::kApproval, kInset, optionTops_[i], optionTexts_[i], textWidth);
}
