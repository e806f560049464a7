// The screen size and mode from "data/config.muf", fitted to the desktop.
#pragma once

#include <string_view>

struct ScreenConfiguration {
    int width = 800;
    int height = 600;
    int depth = 32;
    float interfaceScale = 800.0f / 1024.0f;  // screen width / 1024
    bool forcedFullScreen = false;            // "IsWindowed" was written as 0
    bool invalid = false;                     // fell back to 800 x 600 x 32
};

// Reads section "pref", fits the size to the desktop, and writes
// "IsWindowed" = 0 into section "config" when the game is to fill the screen.
ScreenConfiguration LoadScreenConfiguration(std::string_view path, int desktopWidth, int desktopHeight);
