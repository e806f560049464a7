// The game as a windowed program: start-up, the message loop and shutdown
// around the windowed services; what main() runs when there is a display.
#pragma once

#include <optional>

struct WindowedRun {
    std::optional<int> width, height;  // instead of data/config.muf, for this run
    std::optional<int> frames;         // stop after this many frames
};

// True when the environment announces a display (X11 or Wayland) or SDL is
// told which video driver to use.
bool DisplayAvailable();

// Runs until the player quits; the exit code (1 when no window could open).
int RunWindowedProgram(const WindowedRun& run);
