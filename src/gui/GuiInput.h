// What widgets read of the mouse, keyboard and clock in one frame. The
// windowed program fills it from the game's input each frame; tests set it by
// hand, so widget behaviour never needs a window.
#pragma once

#include <array>
#include <cstddef>

class GuiInput {
public:
    static constexpr int kLeftArrow = 203;
    static constexpr int kRightArrow = 205;

    static GuiInput& Instance();

    bool IsKeyDown(int scanCode) const {
        return scanCode >= 0 && scanCode < 256 && keys[size_t(scanCode)];
    }
    // Back to no buttons, no keys and the pointer at the origin.
    void Reset() { *this = GuiInput(); }

    float mouseX = 0.0f;
    float mouseY = 0.0f;
    bool leftDown = false;
    // Frames the pointer has rested; tooltips wait for this many.
    int stillFrames = 0;
    // Wheel notches this frame, away from the player positive.
    int wheelNotches = 0;
    double nowMilliseconds = 0.0;
    // When the player last did anything with the mouse or keyboard.
    double lastInputMilliseconds = 0.0;
    std::array<bool, 256> keys{};
    // While a key is handed to the screens: whether left Alt was held when it
    // came, which the frame's key states may no longer show.
    bool keyWithLeftAlt = false;

    // Marks left by this frame's widgets: the pointer is over a window (the
    // map ignores it then) and a text button is highlighted (the pointer
    // shows its click form).
    bool mouseOverWindow = false;
    bool textButtonHighlighted = false;
};
