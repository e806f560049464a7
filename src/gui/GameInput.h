// The game's reading of the input devices: a left press becomes a click on
// the application, a key press goes to it with the left Alt state, and the
// frame's pointer, buttons and keys are handed to the widgets.
#pragma once

#include <functional>

#include "engine/Input.h"

class GameInput : public Input {
public:
    void OnLeftDown() override;
    void OnRightDown() override;
    void OnKey(int scanCode) override;
    // Copies this frame's state into the widgets' input.
    void PublishToWidgets(double nowMilliseconds) const;
    // Keys the program itself answers (the screenshot key) before the game
    // sees them; true when taken.
    void SetKeyInterceptor(std::function<bool(int)> interceptor) {
        interceptor_ = std::move(interceptor);
    }

private:
    std::function<bool(int)> interceptor_;
};
