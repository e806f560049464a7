// SDL input events turned into the classic buffered device events.
#include "platform/InputDevice.h"

#include <SDL.h>

#include "platform/Clock.h"

namespace platform {

namespace {

// Set-1 scan codes; keys that arrive with the 0xE0 prefix count from 128 up.
constexpr std::pair<SDL_Scancode, int> kScanCodes[] = {
    {SDL_SCANCODE_ESCAPE, 1},
    {SDL_SCANCODE_1, 2},
    {SDL_SCANCODE_2, 3},
    {SDL_SCANCODE_3, 4},
    {SDL_SCANCODE_4, 5},
    {SDL_SCANCODE_5, 6},
    {SDL_SCANCODE_6, 7},
    {SDL_SCANCODE_7, 8},
    {SDL_SCANCODE_8, 9},
    {SDL_SCANCODE_9, 10},
    {SDL_SCANCODE_0, 11},
    {SDL_SCANCODE_MINUS, 12},
    {SDL_SCANCODE_EQUALS, 13},
    {SDL_SCANCODE_BACKSPACE, 14},
    {SDL_SCANCODE_TAB, 15},
    {SDL_SCANCODE_Q, 16},
    {SDL_SCANCODE_W, 17},
    {SDL_SCANCODE_E, 18},
    {SDL_SCANCODE_R, 19},
    {SDL_SCANCODE_T, 20},
    {SDL_SCANCODE_Y, 21},
    {SDL_SCANCODE_U, 22},
    {SDL_SCANCODE_I, 23},
    {SDL_SCANCODE_O, 24},
    {SDL_SCANCODE_P, 25},
    {SDL_SCANCODE_LEFTBRACKET, 26},
    {SDL_SCANCODE_RIGHTBRACKET, 27},
    {SDL_SCANCODE_RETURN, 28},
    {SDL_SCANCODE_LCTRL, 29},
    {SDL_SCANCODE_A, 30},
    {SDL_SCANCODE_S, 31},
    {SDL_SCANCODE_D, 32},
    {SDL_SCANCODE_F, 33},
    {SDL_SCANCODE_G, 34},
    {SDL_SCANCODE_H, 35},
    {SDL_SCANCODE_J, 36},
    {SDL_SCANCODE_K, 37},
    {SDL_SCANCODE_L, 38},
    {SDL_SCANCODE_SEMICOLON, 39},
    {SDL_SCANCODE_APOSTROPHE, 40},
    {SDL_SCANCODE_GRAVE, 41},
    {SDL_SCANCODE_LSHIFT, 42},
    {SDL_SCANCODE_BACKSLASH, 43},
    {SDL_SCANCODE_Z, 44},
    {SDL_SCANCODE_X, 45},
    {SDL_SCANCODE_C, 46},
    {SDL_SCANCODE_V, 47},
    {SDL_SCANCODE_B, 48},
    {SDL_SCANCODE_N, 49},
    {SDL_SCANCODE_M, 50},
    {SDL_SCANCODE_COMMA, 51},
    {SDL_SCANCODE_PERIOD, 52},
    {SDL_SCANCODE_SLASH, 53},
    {SDL_SCANCODE_RSHIFT, 54},
    {SDL_SCANCODE_KP_MULTIPLY, 55},
    {SDL_SCANCODE_LALT, 56},
    {SDL_SCANCODE_SPACE, 57},
    {SDL_SCANCODE_CAPSLOCK, 58},
    {SDL_SCANCODE_F1, 59},
    {SDL_SCANCODE_F2, 60},
    {SDL_SCANCODE_F3, 61},
    {SDL_SCANCODE_F4, 62},
    {SDL_SCANCODE_F5, 63},
    {SDL_SCANCODE_F6, 64},
    {SDL_SCANCODE_F7, 65},
    {SDL_SCANCODE_F8, 66},
    {SDL_SCANCODE_F9, 67},
    {SDL_SCANCODE_F10, 68},
    {SDL_SCANCODE_NUMLOCKCLEAR, 69},
    {SDL_SCANCODE_SCROLLLOCK, 70},
    {SDL_SCANCODE_KP_7, 71},
    {SDL_SCANCODE_KP_8, 72},
    {SDL_SCANCODE_KP_9, 73},
    {SDL_SCANCODE_KP_MINUS, 74},
    {SDL_SCANCODE_KP_4, 75},
    {SDL_SCANCODE_KP_5, 76},
    {SDL_SCANCODE_KP_6, 77},
    {SDL_SCANCODE_KP_PLUS, 78},
    {SDL_SCANCODE_KP_1, 79},
    {SDL_SCANCODE_KP_2, 80},
    {SDL_SCANCODE_KP_3, 81},
    {SDL_SCANCODE_KP_0, 82},
    {SDL_SCANCODE_KP_PERIOD, 83},
    {SDL_SCANCODE_NONUSBACKSLASH, 86},
    {SDL_SCANCODE_F11, 87},
    {SDL_SCANCODE_F12, 88},
    {SDL_SCANCODE_KP_ENTER, 156},
    {SDL_SCANCODE_RCTRL, 157},
    {SDL_SCANCODE_KP_DIVIDE, 181},
    {SDL_SCANCODE_PRINTSCREEN, 183},
    {SDL_SCANCODE_RALT, 184},
    {SDL_SCANCODE_PAUSE, 197},
    {SDL_SCANCODE_HOME, 199},
    {SDL_SCANCODE_UP, 200},
    {SDL_SCANCODE_PAGEUP, 201},
    {SDL_SCANCODE_LEFT, 203},
    {SDL_SCANCODE_RIGHT, 205},
    {SDL_SCANCODE_END, 207},
    {SDL_SCANCODE_DOWN, 208},
    {SDL_SCANCODE_PAGEDOWN, 209},
    {SDL_SCANCODE_INSERT, 210},
    {SDL_SCANCODE_DELETE, 211},
    {SDL_SCANCODE_LGUI, 219},
    {SDL_SCANCODE_RGUI, 220},
    {SDL_SCANCODE_APPLICATION, 221},
};

template <typename Event>
std::vector<Event> TakeFront(std::deque<Event>& queue, size_t max) {
    const size_t n = std::min(max, queue.size());
    std::vector<Event> taken(queue.begin(), queue.begin() + std::ptrdiff_t(n));
    queue.erase(queue.begin(), queue.begin() + std::ptrdiff_t(n));
    return taken;
}

}  // namespace

int ScanCodeFromSdl(int sdlScancode) {
    for (const auto& [sdl, code] : kScanCodes) {
        if (sdl == sdlScancode) return code;
    }
    return 0;
}

InputDevice::InputDevice() : clock_(MillisecondsNow) {}

bool InputDevice::HandleSdlEvent(const SDL_Event& event) {
    switch (event.type) {
        case SDL_MOUSEMOTION:
            if (event.motion.xrel != 0) PushMouse({MouseEvent::Kind::MotionX, event.motion.xrel});
            if (event.motion.yrel != 0) PushMouse({MouseEvent::Kind::MotionY, event.motion.yrel});
            return true;
        case SDL_MOUSEBUTTONDOWN:
        case SDL_MOUSEBUTTONUP: {
            const int pressed = event.type == SDL_MOUSEBUTTONDOWN ? 1 : 0;
            if (event.button.button == SDL_BUTTON_LEFT)
                PushMouse({MouseEvent::Kind::LeftButton, pressed});
            if (event.button.button == SDL_BUTTON_RIGHT)
                PushMouse({MouseEvent::Kind::RightButton, pressed});
            return true;
        }
        case SDL_MOUSEWHEEL:
            PushMouse({MouseEvent::Kind::Wheel, event.wheel.y * 120});
            return true;
        case SDL_KEYDOWN:
        case SDL_KEYUP: {
            if (event.key.repeat) return true;  // the device reports a held key once
            const int code = ScanCodeFromSdl(event.key.keysym.scancode);
            if (code == 0) {
                if (unknownSeen_.insert(event.key.keysym.scancode).second) {
                    unknownNew_.push_back(event.key.keysym.scancode);
                }
                return true;
            }
            PushKey({code, event.type == SDL_KEYDOWN});
            return true;
        }
        default:
            return false;
    }
}

void InputDevice::PushMouse(MouseEvent event) {
    if (mouse_.size() < kQueueLimit) mouse_.push_back(event);
}

void InputDevice::PushKey(KeyEvent event) {
    if (event.scanCode <= 0 || event.scanCode > 255) return;
    event.leftAltHeld = keyState_[kLeftAlt] != 0;
    keyState_[size_t(event.scanCode)] = event.pressed ? 0x80 : 0;
    if (keys_.size() < kQueueLimit) keys_.push_back(event);
}

std::vector<MouseEvent> InputDevice::ReadMouse(size_t max) {
    return TakeFront(mouse_, max);
}
std::vector<KeyEvent> InputDevice::ReadKeys(size_t max) {
    return TakeFront(keys_, max);
}

std::vector<int> InputDevice::TakeUnknownKeys() {
    std::vector<int> keys;
    keys.swap(unknownNew_);
    return keys;
}

}  // namespace platform
