// The main window's side of the message loop: waiting window events handed
// to the input device, focus changes and the close request, the window's
// title, the desktop's size and where the pointer sits in the window.
#pragma once

#include <functional>
#include <string_view>

namespace platform {

class InputDevice;

// What one pump took from the queue.
struct PumpedEvents {
    int events = 0;                // of any kind, window events included
    bool stoppedAtButton = false;  // a button change ended the pump
};

// Takes the waiting events up to and including the first mouse-button change;
// input goes to the device, focus changes to `onFocus` (true when gained).
// True when the window was asked to close. With `waitMilliseconds`, waits up
// to that long for the first event (nothing to draw until then).
bool PumpWindowEvents(InputDevice& input, const std::function<void(bool)>& onFocus,
                      int waitMilliseconds = 0, PumpedEvents* pumped = nullptr);

// Titles every window the program has open (it has one).
void SetMainWindowTitle(std::string_view utf8Title);

// The desktop's size in pixels; false when no display answers. Starts the
// video system for the rest of the run.
bool DesktopSize(int* width, int* height);

// The pointer's position inside the window under it, in the picture's pixels;
// false when it is over none of the program's windows.
bool PointerInWindow(int* x, int* y);

}  // namespace platform
