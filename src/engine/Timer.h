// A pausable stopwatch with a time scale, in milliseconds.
#pragma once

#include <cstdint>

class Timer {
public:
    Timer();

    // Restarts from zero, running.
    void Start();
    // Takes a reading: adds the time since the last one (times the scale).
    void Read();
    void Pause();
    void Resume();

    double ElapsedMilliseconds() const { return accumulated_; }
    // The last interval / 12 x scale: a per-frame step at the 12 ms frame the
    // game's animations were tuned for.
    float LastStep() const { return lastStep_; }
    bool IsPaused() const { return paused_; }
    void SetScale(float scale) { scale_ = scale; }

private:
    float scale_ = 1.0f;
    bool paused_ = false;
    double lastMilliseconds_ = 0.0;
    double accumulated_ = 0.0;
    float lastStep_ = 0.0f;
    bool hasCounter_ = true;
    std::int64_t frequency_ = 0;
    std::int64_t lastCounter_ = 0;
};
