// Work a click asks for but that must not run inside the input poll (a new
// game or a turn draws frames of its own): queued, and run once the frame
// that took the click has been shown.
#pragma once

#include <functional>

void RunAfterFrame(std::function<void()> command);
// Runs what is queued (commands queued meanwhile wait for the next frame);
// does nothing when called again from inside a command.
void RunFrameCommands();
void ClearFrameCommands();
