// The X server asked through Xlib and the XFixes extension.
#include "support/XView.h"

#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <X11/extensions/Xfixes.h>

namespace {
Display* Connection(void* connection) { return static_cast<Display*>(connection); }
}  // namespace

XView::XView(const std::string& display) : connection_(XOpenDisplay(display.c_str())) {}

XView::~XView() { Close(); }

void XView::Close() {
    if (connection_) XCloseDisplay(Connection(connection_));
    connection_ = nullptr;
}

bool XView::PointerVisible() {
    if (!connection_) return false;
    XFixesCursorImage* image = XFixesGetCursorImage(Connection(connection_));
    if (!image) return false;
    bool visible = false;
    for (int i = 0; i < int(image->width) * int(image->height); ++i)
        visible = visible || ((image->pixels[i] >> 24) & 0xFF) != 0;
    XFree(image);
    return visible;
}

std::uint32_t XView::ScreenPixel(int x, int y) {
    Display* display = Connection(connection_);
    if (!display) return 0xFFFFFFFFu;
    XImage* image = XGetImage(display, DefaultRootWindow(display), x, y, 1, 1, AllPlanes, ZPixmap);
    if (!image) return 0xFFFFFFFFu;
    const std::uint32_t pixel = std::uint32_t(XGetPixel(image, 0, 0)) & 0xFFFFFFu;
    XDestroyImage(image);
    return pixel;
}

bool XView::WindowManagerRunning() {
    Display* display = Connection(connection_);
    if (!display) return false;
    const Atom check = XInternAtom(display, "_NET_SUPPORTING_WM_CHECK", False);
    Atom type = 0;
    int format = 0;
    unsigned long items = 0, left = 0;
    unsigned char* data = nullptr;
    XGetWindowProperty(display, DefaultRootWindow(display), check, 0, 1, False, AnyPropertyType,
                       &type, &format, &items, &left, &data);
    if (data) XFree(data);
    return items > 0;
}
