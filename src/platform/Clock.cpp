// Clocks over std::chrono's steady clock.
#include "platform/Clock.h"

#include <chrono>
#include <thread>

namespace platform {

double MillisecondsNow() {
    using namespace std::chrono;
    return duration<double, std::milli>(steady_clock::now().time_since_epoch()).count();
}

std::int64_t HighResolutionCounter() {
    return std::chrono::duration_cast<std::chrono::nanoseconds>(
               std::chrono::steady_clock::now().time_since_epoch())
        .count();
}

std::int64_t HighResolutionFrequency() { return 1'000'000'000; }

void SleepMilliseconds(int milliseconds) {
    std::this_thread::sleep_for(std::chrono::milliseconds(milliseconds));
}

}  // namespace platform
