// Mouse and keyboard read once per frame from buffered device events: an
// absolute pointer built from relative motion, button transitions and key
// presses turned into virtual handlers, and double-click detection. The game
// derives from it to route clicks and keys to the current screen.
#pragma once

#include <array>
#include <cstdint>

#include "platform/InputDevice.h"

class Input {
public:
    static constexpr size_t kMouseEventsPerPoll = 16;
    static constexpr size_t kKeyEventsPerPoll = 32;
    static constexpr double kDoubleClickMilliseconds = 500.0;
    static constexpr float kDoubleClickDistance = 32.0f;

    Input() = default;
    virtual ~Input() = default;

    void Initialise(platform::InputDevice* device);
    virtual void Poll();
    virtual void OnLeftDown();
    virtual void OnLeftUp() { leftDown_ = false; }
    virtual void OnRightDown() {}
    virtual void OnRightUp() {}
    virtual void OnKey(int /*scanCode*/) {}

    bool IsKeyDown(int scanCode) const;
    // Inside OnKey: whether left Alt was held when that key came.
    bool KeyCameWithLeftAlt() const { return keyWithLeftAlt_; }
    float MouseX() const { return mouseX_; }
    float MouseY() const { return mouseY_; }
    int MousePixelX() const { return int(mouseX_); }
    int MousePixelY() const { return int(mouseY_); }
    void SetMousePosition(float x, float y) { mouseX_ = x, mouseY_ = y; }
    bool IsLeftDown() const { return leftDown_; }
    int StillFrames() const { return stillFrames_; }
    // When the player last moved, clicked, turned the wheel or pressed a key.
    double LastActivityMilliseconds() const { return lastActivity_; }
    bool IsDoubleClick() const { return doubleClick_; }
    // Wheel notches turned this frame, away from the player positive.
    int WheelNotches() const { return wheelNotches_; }

    // The lower-case character a key types in a name field, or 0.
    static char ScanCodeToChar(int scanCode);

private:
    void ReadMouse();
    void ReadKeyboard();

    platform::InputDevice* device_ = nullptr;
    float mouseX_ = 100.0f, mouseY_ = 100.0f;
    bool leftDown_ = false;
    int stillFrames_ = 0;
    std::array<std::uint8_t, 256> keyState_{};
    double lastPressTime_ = 0.0;
    float lastPressX_ = 0.0f, lastPressY_ = 0.0f;
    bool doubleClick_ = false;
    bool keyWithLeftAlt_ = false;
    double lastActivity_ = 0.0;
    int wheelNotches_ = 0;
    int wheelRemainder_ = 0;
};
