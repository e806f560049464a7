// Time sources standing in for the system's millisecond clock and its
// high-resolution counter.
#pragma once

#include <cstdint>

namespace platform {

// Milliseconds since an arbitrary fixed point; never goes backwards.
double MillisecondsNow();

// A monotonic counter and its ticks per second.
std::int64_t HighResolutionCounter();
std::int64_t HighResolutionFrequency();

void SleepMilliseconds(int milliseconds);

}  // namespace platform
