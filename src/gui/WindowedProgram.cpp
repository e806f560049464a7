// The windowed program's run.
#include "gui/WindowedProgram.h"

#include <cstdio>
#include <cstdlib>

#include "core/Application.h"
#include "engine/D3DEngine.h"
#include "gui/WindowedServices.h"

namespace {
bool Announced(const char* name) {
    const char* value = std::getenv(name);
    return value && *value;
}
}  // namespace

bool DisplayAvailable() {
    return Announced("DISPLAY") || Announced("WAYLAND_DISPLAY") || Announced("SDL_VIDEODRIVER");
}

int RunWindowedProgram(const WindowedRun& run) {
    WindowedOptions options;
    options.width = run.width;
    options.height = run.height;
    Application& app = Application::Instance();
    app.SetServices(std::make_unique<WindowedServices>(options));
    app.Startup();
    if (!D3DEngine::Instance().IsInitialised()) {
        app.Shutdown();
        app.SetServices(nullptr);
        std::fputs(
            "polity: the window could not be opened (see debugdata/drawdebug.txt); "
            "try --headless\n",
            stderr);
        return 1;
    }
    const int code = app.Run(run.frames.value_or(-1));
    app.Shutdown();
    // Screens and windows go while the singletons they talk to still live.
    app.SetServices(nullptr);
    return code;
}
