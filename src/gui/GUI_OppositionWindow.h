// A message from the security services about an angry group: a warning, a
// foiled attack, or the attack that ends the government. The last must be
// acknowledged and leads back to the main menu.
#pragma once

#include "gui/GUI_InfoWindow.h"
#include "world/OppositionManager.h"

class GUI_OppositionWindow : public GUI_InfoWindow {
public:
    // Plays the attack's sound, if any, as it opens.
    explicit GUI_OppositionWindow(const OppositionMessage& message);

    const OppositionMessage& Message() const { return message_; }
    GUI_Button* ActionButton() const { return button_; }

protected:
    void DrawContent() override;

private:
    OppositionMessage message_;
    GUI_Button* button_ = nullptr;
    float textHeight_ = 0.0f;
};
