// Long operations (game start, a turn) tell the player what they are doing
// through the loading screen; without a window the words go to the log.
#pragma once

#include <functional>
#include <string_view>

// Shows the label with the progress (0..1) on the loading screen.
void ReportLoadingProgress(std::string_view label, float progress = 0.0f);

// The loading screen installs itself here; nothing installed means logging.
void SetLoadingProgressHandler(std::function<void(std::string_view, float)> handler);

// For labels that repeat in a loop: true at most once per `milliseconds`
// for the given throttle slot, so a thousand voters do not draw a thousand
// frames.
class ProgressThrottle {
public:
    explicit ProgressThrottle(double milliseconds) : interval_(milliseconds) {}
    bool Due();

private:
    double interval_;
    double last_ = -1.0e12;
};
