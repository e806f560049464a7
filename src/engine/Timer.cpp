// Timer readings from the high-resolution counter.
#include "engine/Timer.h"

#include "platform/Clock.h"

Timer::Timer() { Start(); }

void Timer::Start() {
    accumulated_ = 0.0;
    paused_ = false;
    lastMilliseconds_ = platform::MillisecondsNow();
    frequency_ = platform::HighResolutionFrequency();
    hasCounter_ = frequency_ > 0;
    if (hasCounter_) lastCounter_ = platform::HighResolutionCounter();
}

void Timer::Read() {
    if (paused_) return;
    double interval;
    if (hasCounter_) {
        const std::int64_t now = platform::HighResolutionCounter();
        interval = static_cast<double>(now - lastCounter_) / static_cast<double>(frequency_) * 1000.0;
        lastCounter_ = now;
    } else {
        const double now = platform::MillisecondsNow();
        interval = now - lastMilliseconds_;
        lastMilliseconds_ = now;
    }
    lastStep_ = static_cast<float>(interval / 12.0 * scale_);
    accumulated_ += interval * scale_;
}

void Timer::Pause() {
    Read();
    paused_ = true;
    lastMilliseconds_ = platform::MillisecondsNow();
    if (hasCounter_) lastCounter_ = platform::HighResolutionCounter();
}

void Timer::Resume() {
    if (!paused_) return;  // resuming a running timer must not drop its open interval
    paused_ = false;
    lastMilliseconds_ = platform::MillisecondsNow();
    if (hasCounter_) lastCounter_ = platform::HighResolutionCounter();
}
