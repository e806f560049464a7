// Polling, the one-button-event-per-frame rule and double clicks.
#include "engine/Input.h"

#include <algorithm>
#include <cmath>

#include "engine/DebugLog.h"
#include "engine/Sprite.h"

void Input::Initialise(platform::InputDevice* device) {
    device_ = device;
    lastPressTime_ = device_ ? device_->NowMilliseconds() : 0.0;
    lastActivity_ = lastPressTime_;
    doubleClick_ = false;
}

void Input::Poll() {
    if (!device_) return;
    ReadMouse();
    ReadKeyboard();
}

void Input::ReadMouse() {
    int dx = 0, dy = 0;
    wheelNotches_ = 0;
    for (const platform::MouseEvent& event : device_->ReadMouse(kMouseEventsPerPoll)) {
        using Kind = platform::MouseEvent::Kind;
        lastActivity_ = device_->NowMilliseconds();
        bool handled = true;
        switch (event.kind) {
            case Kind::MotionX:
                dx += event.value;
                handled = false;
                break;
            case Kind::MotionY:
                dy += event.value;
                handled = false;
                break;
            case Kind::Wheel:
                // Fine-grained wheels report parts of a notch; they add up.
                wheelRemainder_ += event.value;
                wheelNotches_ += wheelRemainder_ / 120;
                wheelRemainder_ %= 120;
                handled = false;
                break;
            case Kind::LeftButton:
                // A second press while down counts as the release that was dropped.
                if (event.value && !leftDown_)
                    OnLeftDown();
                else if (leftDown_)
                    OnLeftUp();
                else
                    handled = false;
                break;
            case Kind::RightButton:
                if (event.value)
                    OnRightDown();
                else
                    OnRightUp();
                break;
        }
        // One button event per frame: the rest of the frame's events are dropped
        // and the pointer does not move.
        if (handled) return;
    }
    stillFrames_ = (dx == 0 && dy == 0) ? stillFrames_ + 1 : 0;
    mouseX_ = std::clamp(mouseX_ + float(dx), 0.0f, ScreenWidth());
    mouseY_ = std::clamp(mouseY_ + float(dy), 0.0f, ScreenHeight());
}

void Input::ReadKeyboard() {
    keyState_ = device_->KeyState();
    for (int unknown : device_->TakeUnknownKeys())
        Log("unknown key code " + std::to_string(unknown) + " ignored");
    for (const platform::KeyEvent& event : device_->ReadKeys(kKeyEventsPerPoll)) {
        lastActivity_ = device_->NowMilliseconds();
        if (!event.pressed) continue;
        keyWithLeftAlt_ = event.leftAltHeld;
        OnKey(event.scanCode);
    }
}

void Input::OnLeftDown() {
    leftDown_ = true;
    const double now = device_ ? device_->NowMilliseconds() : 0.0;
    const double elapsed = now - lastPressTime_;
    lastPressTime_ = now;
    const float distance = std::hypot(mouseX_ - lastPressX_, mouseY_ - lastPressY_);
    doubleClick_ = elapsed < kDoubleClickMilliseconds && distance < kDoubleClickDistance;
    lastPressX_ = mouseX_;
    lastPressY_ = mouseY_;
}

bool Input::IsKeyDown(int scanCode) const {
    return scanCode >= 0 && scanCode < 256 && keyState_[size_t(scanCode)] != 0;
}

char Input::ScanCodeToChar(int scanCode) {
    static constexpr const char* kRows[] = {"1234567890-", "qwertyuiop", "asdfghjkl", "zxcvbnm"};
    static constexpr int kFirst[] = {2, 16, 30, 44};
    for (int row = 0; row < 4; ++row) {
        const int offset = scanCode - kFirst[row];
        if (offset >= 0 && offset < int(std::char_traits<char>::length(kRows[row])))
            return kRows[row][offset];
    }
    if (scanCode == 40) return '\'';
    if (scanCode == 57) return ' ';
    return 0;
}
