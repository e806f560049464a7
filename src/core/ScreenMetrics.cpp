// The screen size shared by layout code.
#include "core/ScreenMetrics.h"

namespace {
int g_width = 1024;
int g_height = 768;
}  // namespace

int ScreenMetrics::Width() { return g_width; }
int ScreenMetrics::Height() { return g_height; }
void ScreenMetrics::Set(int width, int height) {
    g_width = width;
    g_height = height;
}
