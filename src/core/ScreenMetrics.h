// The screen size the game lays things out for. The display sets it; without
// one (headless runs) the classic 1024 x 768 stands in, so layout that draws
// random numbers draws the same ones with or without a window.
#pragma once

struct ScreenMetrics {
    static int Width();
    static int Height();
    static void Set(int width, int height);
};
