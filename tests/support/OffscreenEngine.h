// The engine started for one test (offscreen by default, or on the null
// device), with the generated textures and fonts reachable, and put back to a
// fresh run afterwards so tests do not see each other's registry or log.
#pragma once

#include "engine/D3DEngine.h"
#include "platform/Image.h"

class OffscreenEngine {
public:
    // With `standardData`, the game's and the generated texture folders and
    // bitmap fonts are registered; without, the test adds its own.
    OffscreenEngine(int width, int height,
                    D3DEngine::Display display = D3DEngine::Display::Offscreen,
                    bool standardData = true);
    ~OffscreenEngine();
    OffscreenEngine(const OffscreenEngine&) = delete;
    OffscreenEngine& operator=(const OffscreenEngine&) = delete;

    D3DEngine& Engine() { return D3DEngine::Instance(); }
    // The frame drawn so far.
    platform::Image Frame() { return D3DEngine::Instance().ReadFrame(); }
};

// The engine's own log "debugdata/drawdebug.txt".
std::string ReadEngineLog();
