// What an X server itself says a player sees: the pointer's picture, the
// screen's pixels, and whether a window manager runs. Kept apart from the
// game's headers, whose names Xlib's would clash with.
#pragma once

#include <cstdint>
#include <string>

class XView {
public:
    explicit XView(const std::string& display);
    ~XView();
    XView(const XView&) = delete;
    XView& operator=(const XView&) = delete;

    bool IsOpen() const { return connection_ != nullptr; }
    // Before the server stops: Xlib ends the process when a connection breaks.
    void Close();
    // True when the pointer shows any pixel where it is now.
    bool PointerVisible();
    // 0xRRGGBB on the screen.
    std::uint32_t ScreenPixel(int x, int y);
    bool WindowManagerRunning();

private:
    void* connection_;
};
