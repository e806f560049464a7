// The windowed program's run.
#include "gui/WindowedProgram.h"

#include <cstdio>
#include <cstdlib>

#include <cmath>

#include "core/Application.h"
#include "engine/D3DEngine.h"
#include "engine/MusicPlayer.h"
#include "engine/SoundEffects.h"
#include "gui/GUI_ModalHolder.h"
#include "gui/WindowedServices.h"
#include "simulation/GameOptions.h"
#include "world/Event.h"

namespace {
bool Announced(const char* name) {
    const char* value = std::getenv(name);
    return value && *value;
}
}  // namespace

bool DisplayAvailable() {
    return Announced("DISPLAY") || Announced("WAYLAND_DISPLAY") || Announced("SDL_VIDEODRIVER");
}

namespace {

// 100 x the "MUSIC" option, as the music player takes it.
int MusicVolume() { return static_cast<int>(std::lround(100.0f * GameOptions::Instance().Get(GameOptions::kMusic))); }

// The two tracks alternate for as long as the program has the focus; the
// click, the event sounds and the music all go through the one sound device.
MusicHooks SoundHooks(MusicPlayer& music) {
    MusicHooks hooks;
    hooks.start = [&music] {
        SoundEffects::Instance().LoadClick();
        GUI_ModalHolder::Instance().SetClickSoundPlayer([](int) { SoundEffects::Instance().PlayClick(); });
        Event::SetSoundPlayer(SoundEffects::Instance().EventSoundPlayer());
        if (!music.IsStarted()) music.Start(MusicVolume());
    };
    hooks.tick = [&music] { music.Tick(MusicVolume()); };
    hooks.restart = [&music] { music.Activate(); };
    hooks.stop = [&music] { music.Deactivate(); };
    hooks.volume = [&music] { music.SetVolume(MusicVolume()); };
    return hooks;
}

}  // namespace

int RunWindowedProgram(const WindowedRun& run) {
    WindowedOptions options;
    options.width = run.width;
    options.height = run.height;
    static MusicPlayer music;
    Application& app = Application::Instance();
    app.SetServices(std::make_unique<WindowedServices>(options, SoundHooks(music)));
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
    Event::SetSoundPlayer(nullptr);
    SoundEffects::Instance().Clear();
    return code;
}
