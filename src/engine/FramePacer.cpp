// Frame cadence and the still-picture rule.
#include "engine/FramePacer.h"

#include <algorithm>
#include <cmath>

FramePacer::FramePacer(int refreshRate) { SetRefreshRate(refreshRate); }

void FramePacer::SetRefreshRate(int refreshRate) {
    interval_ = 1000.0 / double(refreshRate > 0 ? refreshRate : kDefaultRefreshRate);
}

int FramePacer::FramesBeforeStill() const { return int(std::lround(1000.0 / interval_)); }

int FramePacer::MillisecondsUntilDue(double now) const {
    const double wait = nextDue_ - now;
    return wait <= 0.0 ? 0 : int(std::ceil(wait));
}

void FramePacer::FrameShown(double now, std::uint64_t signature) {
    if (lastSignature_ == signature) {
        ++repeats_;
    } else {
        repeats_ = 0;
        still_ = false;
    }
    lastSignature_ = signature;
    if (repeats_ >= FramesBeforeStill()) still_ = true;
    if (still_) {
        nextDue_ = now + kStillIntervalMilliseconds;
        return;
    }
    // Due times step by whole intervals so the cadence does not drift; a
    // frame that overran starts the next at once rather than catching up in
    // a burst.
    nextDue_ = std::max(nextDue_ + interval_, now);
    if (nextDue_ > now + interval_) nextDue_ = now + interval_;
}

void FramePacer::Wake(double now) {
    repeats_ = 0;
    if (still_) nextDue_ = now;
    still_ = false;
}
