// One frame of the main game screen at 1920 x 1080, drawn offscreen by the
// software renderer with the first country's full map: at rest, and with the
// pointer resting on a policy so its connector lines are drawn as well.
#include <benchmark/benchmark.h>

#include <filesystem>
#include <memory>

#include "core/Application.h"
#include "core/GameRandom.h"
#include "core/SetupValues.h"
#include "gui/GUI_WindowManager.h"
#include "gui/WindowedServices.h"
#include "gui/icons/GUI_IconConnectors.h"
#include "gui/icons/GUI_PolicyIcon.h"
#include "simulation/GameOptions.h"
#include "simulation/PlayerInputRecorder.h"
#include "world/Gameplaymanager.h"

namespace {

namespace fs = std::filesystem;

// The program started offscreen on a private copy of the data, in the
// first turn of the first country.
WindowedServices& StartMainScreen() {
    static WindowedServices* services = nullptr;
    if (services) return *services;
    const fs::path folder = fs::temp_directory_path() / "polity-bench-mainscreen";
    fs::remove_all(folder);
    fs::create_directories(folder);
    fs::copy(fs::path(POLITY_SOURCE_DIR) / "data", folder / "data", fs::copy_options::recursive);
    fs::current_path(folder);
    WindowedOptions options;
    options.display = D3DEngine::Display::Offscreen;
    options.width = 1920;
    options.height = 1080;
    options.yieldEachFrame = false;
    auto owned = std::make_unique<WindowedServices>(options);
    services = owned.get();
    Application& app = Application::Instance();
    app.SetServices(std::move(owned));
    app.Startup();
    PlayerInputRecorder::Instance().SetEnabled(false);
    GameOptions::Instance().Set(1.0f, GameOptions::kAiEntities);
    GameRandom::Seed(5);
    Gameplaymanager::Instance().StartGame("mission1");
    // The map alone: the opening dialog is put away.
    GUI_WindowManager::Instance().DeleteAll();
    // Screens and icons go before the registries they leave, which were
    // made before this guard and so outlive it.
    static struct Teardown {
        ~Teardown() {
            Application::Instance().Shutdown();
            Application::Instance().SetServices(nullptr);
        }
    } teardown;
    return *services;
}

void RunFrames(benchmark::State& state) {
    Application& app = Application::Instance();
    for (int i = 0; i < 40; ++i) app.RunFrame();  // past the opening fade, text cached
    for (auto _ : state) app.RunFrame();
}

void BM_MainScreenFrame1080p(benchmark::State& state) {
    WindowedServices& services = StartMainScreen();
    services.GetInput().SetMousePosition(4.0f, 1076.0f);
    RunFrames(state);
}
BENCHMARK(BM_MainScreenFrame1080p)->Unit(benchmark::kMillisecond);

void BM_MainScreenFrameWithConnectors1080p(benchmark::State& state) {
    WindowedServices& services = StartMainScreen();
    // The policy with the most lines.
    GUI_IconBase* busiest = nullptr;
    for (GUI_IconBase* icon : GUI_IconBase::AllIcons())
        if (dynamic_cast<GUI_PolicyIcon*>(icon) &&
            (!busiest || icon->Connectors().Lines().size() > busiest->Connectors().Lines().size()))
            busiest = icon;
    if (!busiest) {
        state.SkipWithError("no policy icon on the map");
        return;
    }
    services.GetInput().SetMousePosition(busiest->Centre().x, busiest->Centre().y);
    RunFrames(state);
    state.counters["lines"] = double(busiest->Connectors().Lines().size());
}
BENCHMARK(BM_MainScreenFrameWithConnectors1080p)->Unit(benchmark::kMillisecond);

}  // namespace
