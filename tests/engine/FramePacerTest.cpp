// Frame cadence under a test clock: the refresh rate while the picture
// changes, rare frames once it has stood still, and input waking it at once.
#include <gtest/gtest.h>

#include "engine/FramePacer.h"

namespace {

// Runs frames as the pacer asks for them until `until`, each drawing
// `signature(frameNumber)`; returns how many were drawn.
template <typename Signature>
int RunFrames(FramePacer& pacer, double& now, double until, Signature signature) {
    int frames = 0;
    while (now < until) {
        now += pacer.MillisecondsUntilDue(now);
        if (now >= until) break;
        pacer.FrameShown(now + 2.0, signature(frames));  // each frame takes 2 ms
        ++frames;
        now += 2.0;
    }
    return frames;
}

}  // namespace

TEST(FramePacer, FollowsTheRefreshAndDrawsAStillPictureRarely) {
    FramePacer pacer(0);  // a display that does not say: 60 a second
    double now = 1000.0;
    // A moving picture: every frame differs, sixty of them a second.
    const int moving = RunFrames(pacer, now, 3000.0, [](int n) { return std::uint64_t(n); });
    EXPECT_NEAR(moving, 120, 2);
    EXPECT_FALSE(pacer.IsStill());

    // The picture stops moving: a second at full rate, then one frame a second.
    const int settling = RunFrames(pacer, now, 4100.0, [](int) { return std::uint64_t(7); });
    EXPECT_NEAR(settling, 62, 3);
    EXPECT_TRUE(pacer.IsStill());
    const int still = RunFrames(pacer, now, 14100.0, [](int) { return std::uint64_t(7); });
    EXPECT_LE(still, 11);
    EXPECT_GE(still, 9);

    // Input is answered at once, and full rate resumes.
    now += 123.0;
    pacer.Wake(now);
    EXPECT_EQ(pacer.MillisecondsUntilDue(now), 0);
    EXPECT_FALSE(pacer.IsStill());

    // A still picture that starts moving on its own is caught by the next
    // rare frame and drawn at full rate from then on.
    FramePacer other(144);
    double clock = 0.0;
    RunFrames(other, clock, 2000.0, [](int) { return std::uint64_t(1); });
    ASSERT_TRUE(other.IsStill());
    int n = 0;
    const int woken = RunFrames(other, clock, 4000.0, [&n](int) { return std::uint64_t(100 + n++); });
    EXPECT_GE(woken, 140);  // up to a second passes before the rare frame sees it
    EXPECT_FALSE(other.IsStill());
}

TEST(FramePacer, AFrameThatOverrunsIsNotMadeUpInABurst) {
    FramePacer pacer(60);
    pacer.FrameShown(0.0, 1);
    pacer.FrameShown(100.0, 2);  // a frame that took far longer than the interval
    EXPECT_EQ(pacer.MillisecondsUntilDue(100.0), 0);
    pacer.FrameShown(101.0, 3);
    EXPECT_EQ(pacer.MillisecondsUntilDue(101.0), 16);  // back to the cadence, no five frames owed
}
