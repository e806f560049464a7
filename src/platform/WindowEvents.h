// The main window's side of the message loop: waiting window events handed
// to the input device, focus changes and the close request, the window's
// title, the desktop's size and where the pointer sits in the window.
#pragma once

#include <functional>
#include <string_view>

namespace platform {

class InputDevice;

// Takes the waiting events up to and including the first mouse-button change;
// input goes to the device, focus changes to `onFocus` (true when gained).
// True when the window was asked to close. With `waitMilliseconds`, waits up
// to that long for the first event (an inactive program has nothing to draw).
bool PumpWindowEvents(InputDevice& input, const std::function<void(bool)>& onFocus,
                      int waitMilliseconds = 0);

// Titles every window the program has open (it has one).
void SetMainWindowTitle(std::string_view utf8Title);

// The desktop's size in pixels; false when no display answers. Starts the
// video system for the rest of the run.
bool DesktopSize(int* width, int* height);

// The pointer's position inside the window under it; false when it is over
// none of the program's windows.
bool PointerInWindow(int* x, int* y);

}  // namespace platform
