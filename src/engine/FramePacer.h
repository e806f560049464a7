// When the next frame is due: frames follow the display's refresh while the
// picture changes, and a picture that has stood still for a second is drawn
// only now and then until input arrives or it changes again. Time is passed
// in, so the rules run the same under a test's clock.
#pragma once

#include <cstdint>
#include <optional>

class FramePacer {
public:
    // Displays that do not say their refresh rate are taken to run at this.
    static constexpr int kDefaultRefreshRate = 60;
    // How often a still picture is drawn again: often enough to notice a
    // change that comes without input, rarely enough to cost next to nothing.
    static constexpr double kStillIntervalMilliseconds = 1000.0;

    // `refreshRate` in frames a second; 0 or less when the display does not say.
    explicit FramePacer(int refreshRate = 0);

    void SetRefreshRate(int refreshRate);
    double FrameInterval() const { return interval_; }

    // Whole milliseconds to wait before the next frame; 0 when it is due.
    int MillisecondsUntilDue(double now) const;
    // A frame has been drawn and shown; `signature` sums up what it drew,
    // equal for two frames that look the same.
    void FrameShown(double now, std::uint64_t signature);
    // Input or a window event arrived: full rate again, and the next frame at
    // once when the picture was standing still.
    void Wake(double now);

    bool IsStill() const { return still_; }
    // Identical frames in a row that make the picture count as standing still.
    int FramesBeforeStill() const;

private:
    double interval_ = 1000.0 / kDefaultRefreshRate;
    double nextDue_ = 0.0;
    std::optional<std::uint64_t> lastSignature_;
    int repeats_ = 0;
    bool still_ = false;
};
