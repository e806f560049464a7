// Mouse and keyboard as buffered device events: relative motion, button
// transitions and keys by their classic PC scan codes (28 Return, 56 left Alt,
// 203 left arrow), fed from SDL's event queue or, in tests, by hand.
#pragma once

#include <array>
#include <cstdint>
#include <deque>
#include <functional>
#include <set>
#include <vector>

union SDL_Event;

namespace platform {

struct MouseEvent {
    enum class Kind { MotionX, MotionY, Wheel, LeftButton, RightButton };
    Kind kind = Kind::MotionX;
    int value = 0;  // motion in pixels, wheel in notches x 120, or 1 pressed / 0 released
};

struct KeyEvent {
    int scanCode = 0;
    bool pressed = false;
    // Left Alt as it was when this key came: by the time the frame reads the
    // key, a quick Alt+Return may have let go of Alt already.
    bool leftAltHeld = false;
};

// The classic scan code for an SDL scancode; 0 when the key has none.
int ScanCodeFromSdl(int sdlScancode);

class InputDevice {
public:
    // Events waiting beyond this many are dropped, as a full device buffer drops them.
    static constexpr size_t kQueueLimit = 256;
    static constexpr size_t kLeftAlt = 56;

    InputDevice();

    // Translates one SDL event; true when it was an input event.
    bool HandleSdlEvent(const SDL_Event& event);

    void PushMouse(MouseEvent event);
    // Also updates the key-state array at once, as the hardware state would.
    void PushKey(KeyEvent event);

    // Takes up to `max` waiting events, oldest first; the rest wait for the next read.
    std::vector<MouseEvent> ReadMouse(size_t max);
    std::vector<KeyEvent> ReadKeys(size_t max);
    const std::array<std::uint8_t, 256>& KeyState() const { return keyState_; }

    // SDL scancodes met that have no classic code, each once; emptied by the call.
    std::vector<int> TakeUnknownKeys();

    double NowMilliseconds() const { return clock_(); }
    void SetClock(std::function<double()> clock) { clock_ = std::move(clock); }

private:
    std::deque<MouseEvent> mouse_;
    std::deque<KeyEvent> keys_;
    std::array<std::uint8_t, 256> keyState_{};
    std::set<int> unknownSeen_;
    std::vector<int> unknownNew_;
    std::function<double()> clock_;
};

}  // namespace platform
