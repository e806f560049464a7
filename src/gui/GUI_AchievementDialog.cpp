// The achievement dialog.
#include "gui/GUI_AchievementDialog.h"

#include <algorithm>

#include "aids/Achievements.h"
#include "engine/D3DEngine.h"
#include "engine/SoundEffects.h"
#include "engine/StyleSheet.h"
#include "gui/GUI_TextButton.h"
#include "gui/InfoDrawing.h"
#include "world/StringTable.h"

namespace {
constexpr float kWidth = 520.0f;
constexpr float kLeft = 30.0f;
constexpr float kTop = 54.0f;
constexpr float kIcon = 72.0f;
constexpr float kTextLeft = kLeft + kIcon + 20.0f;
}  // namespace

GUI_AchievementDialog::GUI_AchievementDialog(int index)
    : GUI_InfoWindow(Achievements::Instance().Title(index), kWidth, 260.0f), index_(index) {
    textHeight_ =
        std::max(kIcon, TextHeight(StyleSheet::kParagraph, Achievements::Instance().Text(index),
                                   kWidth - kTextLeft - kLeft));
    const float height = kTop + textHeight_ + 78.0f;
    Resize(kWidth, height);
    auto* ok = Add<GUI_TextButton>(GetString("GUI_CONTINUE"), [this] { Close(); });
    Place(ok, kWidth / 2.0f - 90.0f, height - 52.0f, kWidth / 2.0f + 90.0f, height - 16.0f);
    SoundEffects::Instance().Play(
        index % 2 == 0 ? "data/sounds/firework1.ogg" : "data/sounds/firework2.ogg", 100);
}

void GUI_AchievementDialog::DrawContent() {
    DrawFireworks(rect_, frame_++);
    D3DEngine& engine = D3DEngine::Instance();
    engine.SetTexture("gui_icon_award_2.dds");
    Sprite award;
    award.SetSize(Px(kIcon), Px(kIcon));
    award.SetPosition(X(kLeft + kIcon / 2.0f), Y(kTop + kIcon / 2.0f));
    award.Draw();
    Text(StyleSheet::kParagraph, kTextLeft, kTop, Achievements::Instance().Text(index_),
         kWidth - kTextLeft - kLeft);
}
