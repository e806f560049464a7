// Opposition warnings and attacks.
#include "gui/GUI_OppositionWindow.h"

#include "engine/SoundEffects.h"
#include "engine/StyleSheet.h"
#include "gui/GUI_TextButton.h"
#include "gui/InfoWindows.h"
#include "world/StringTable.h"

namespace {
constexpr float kWidth = 540.0f;
constexpr float kLeft = 30.0f;
constexpr float kTop = 54.0f;

GUI_InfoWindow::Options OptionsFor(const OppositionMessage& message) {
    GUI_InfoWindow::Options options;
    // The government has fallen: nothing may go on until the player has read it.
    options.modal = message.endsGame;
    options.closesAtTurnEnd = !message.endsGame;
    return options;
}
}  // namespace

GUI_OppositionWindow::GUI_OppositionWindow(const OppositionMessage& message)
    : GUI_InfoWindow(message.title, kWidth, 300.0f, OptionsFor(message)), message_(message) {
    textHeight_ = TextHeight(StyleSheet::kParagraph, message_.text, kWidth - 2.0f * kLeft);
    const float height = kTop + textHeight_ + 80.0f;
    Resize(kWidth, height);
    if (message_.endsGame)
        button_ = Add<GUI_TextButton>(GetString("QUITGAME"), [] { EndGameToMainMenu(); });
    else
        button_ = Add<GUI_TextButton>(GetString("GUI_CONTINUE"), [this] { Close(); });
    Place(button_, kWidth / 2.0f - 100.0f, height - 52.0f, kWidth / 2.0f + 100.0f, height - 16.0f);
    if (!message_.sound.empty()) SoundEffects::Instance().Play(message_.sound, 100);
}

void GUI_OppositionWindow::DrawContent() {
    Text(StyleSheet::kParagraph, kLeft, kTop, message_.text, kWidth - 2.0f * kLeft);
}
