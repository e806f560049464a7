// SDL's event queue and window queries for the main window.
#include "platform/WindowEvents.h"

#include <SDL.h>

#include <string>

#include "platform/InputDevice.h"

namespace platform {

bool PumpWindowEvents(InputDevice& input, const std::function<void(bool)>& onFocus,
                      int waitMilliseconds, PumpedEvents* pumped) {
    if (SDL_WasInit(SDL_INIT_VIDEO) == 0) return false;
    bool quit = false;
    SDL_Event event;
    bool waiting = waitMilliseconds > 0 && SDL_WaitEventTimeout(&event, waitMilliseconds);
    while (waiting || SDL_PollEvent(&event)) {
        waiting = false;
        if (pumped) ++pumped->events;
        if (event.type == SDL_QUIT) {
            quit = true;
        } else if (event.type == SDL_WINDOWEVENT) {
            const Uint8 what = event.window.event;
            if (what == SDL_WINDOWEVENT_FOCUS_GAINED && onFocus) onFocus(true);
            if (what == SDL_WINDOWEVENT_FOCUS_LOST && onFocus) onFocus(false);
            if (what == SDL_WINDOWEVENT_CLOSE) quit = true;
        } else {
            input.HandleSdlEvent(event);
            // The game reads one button change a frame and drops what follows
            // it in the same read, so a quick click's release waits in SDL's
            // queue for the next frame instead of being lost.
            if (event.type == SDL_MOUSEBUTTONDOWN || event.type == SDL_MOUSEBUTTONUP) {
                if (pumped) pumped->stoppedAtButton = true;
                break;
            }
        }
    }
    return quit;
}

void SetMainWindowTitle(std::string_view utf8Title) {
    if (SDL_WasInit(SDL_INIT_VIDEO) == 0) return;
    const std::string title(utf8Title);
    // Window ids count up from 1 as windows are created; a display switch
    // makes a new one, so look a little further than the first.
    for (Uint32 id = 1; id < 64; ++id)
        if (SDL_Window* window = SDL_GetWindowFromID(id)) SDL_SetWindowTitle(window, title.c_str());
}

bool DesktopSize(int* width, int* height) {
    if (SDL_InitSubSystem(SDL_INIT_VIDEO) != 0) return false;
    SDL_DisplayMode mode;
    const bool known = SDL_GetDesktopDisplayMode(0, &mode) == 0 && mode.w > 0 && mode.h > 0;
    if (known) {
        *width = mode.w;
        *height = mode.h;
    }
    // The video system stays up for the run: the window follows at once, and
    // shutting it down between would unload and reload the display drivers.
    return known;
}

bool PointerInWindow(int* x, int* y) {
    if (SDL_WasInit(SDL_INIT_VIDEO) == 0) return false;
    SDL_Window* window = SDL_GetMouseFocus();
    if (!window) return false;
    SDL_GetMouseState(x, y);
    // A picture scaled into its window has its own pixels.
    if (SDL_Renderer* renderer = SDL_GetRenderer(window)) {
        float pictureX = 0.0f, pictureY = 0.0f;
        SDL_RenderWindowToLogical(renderer, *x, *y, &pictureX, &pictureY);
        *x = int(pictureX);
        *y = int(pictureY);
    }
    return true;
}

}  // namespace platform
