// Start-up, frame and shutdown of the windowed program.
#include "gui/WindowedServices.h"

#include <cmath>
#include <string>

#include "aids/Achievements.h"
#include "core/Application.h"
#include "core/DataFiles.h"
#include "core/ScreenConfiguration.h"
#include "core/TextUtilities.h"
#include "engine/DataPaths.h"
#include "engine/DebugLog.h"
#include "engine/DrawGate.h"
#include "engine/GdiText.h"
#include "engine/Skin.h"
#include "engine/StyleSheet.h"
#include "engine/TestScene.h"
#include "engine/TextSystem.h"
#include "gui/FrameCommands.h"
#include "gui/GUI_FloatingLayer.h"
#include "gui/GUI_ModalHolder.h"
#include "gui/GUI_Pointer.h"
#include "gui/GUI_WindowManager.h"
#include "gui/GuiInput.h"
#include "gui/MainGameScreen.h"
#include "gui/menu/LoadGameScreen.h"
#include "gui/menu/LoadingScreen.h"
#include "gui/menu/MainMenuScreen.h"
#include "gui/menu/MissionSelectionScreen.h"
#include "gui/menu/OptionsScreen.h"
#include "gui/menu/SaveGameScreen.h"
#include "gui/menu/UpdatesScreen.h"
#include "platform/Clock.h"
#include "platform/FileSystem.h"
#include "platform/ImageFiles.h"
#include "platform/WindowEvents.h"
#include "politics/SliderConfiguration.h"
#include "simulation/GameOptions.h"
#include "simulation/Network.h"
#include "world/Manifesto.h"
#include "world/StringTable.h"

namespace {
constexpr const char* kConfigPath = "data/config.muf";
}  // namespace

WindowedServices::WindowedServices(WindowedOptions options, MusicHooks music)
    : options_(std::move(options)), music_(std::move(music)) {
    Gameplaymanager::Instance().SetListener(&listener_);
    input_.SetKeyInterceptor([this](int scanCode) {
        if (scanCode != kScreenshotKey) return false;
        for (int n = 1;; ++n) {
            const std::string path = "debugdata/screenshot" + std::to_string(n) + ".png";
            if (!platform::FileExists(path)) {
                CaptureNextFrame(path);
                return true;
            }
        }
    });
}

void WindowedServices::CaptureNextFrame(std::string path) {
    captureRequested_ = true;
    capturePath_ = std::move(path);
}

WindowedServices::~WindowedServices() {
    Gameplaymanager::Instance().SetListener(nullptr);
    ClearFrameCommands();
}

bool WindowedServices::StartDevices() {
    input_.Initialise(&device_);
    int desktopWidth = options_.fallbackDesktopWidth,
        desktopHeight = options_.fallbackDesktopHeight;
    if (options_.display == D3DEngine::Display::Window)
        platform::DesktopSize(&desktopWidth, &desktopHeight);
    ScreenConfiguration config = LoadScreenConfiguration(kConfigPath, desktopWidth, desktopHeight);
    if (options_.width && options_.height) {
        config.width = *options_.width;
        config.height = *options_.height;
        config.interfaceScale = float(config.width) / 1024.0f;
    }
    const bool offscreen = options_.display != D3DEngine::Display::Window;
    if (!offscreen && !D3DEngine::WillStartWindowed()) {
        // Full screen fills the desktop and is laid out for its size; the
        // configured size is the window's.
        config.width = desktopWidth;
        config.height = desktopHeight;
        config.interfaceScale = float(config.width) / 1024.0f;
    }
    Application::Instance().SetInterfaceScale(config.interfaceScale);
    D3DEngine& engine = D3DEngine::Instance();
    engine.SetDisplay(options_.display);
    if (!engine.Initialise(config.width, config.height, config.depth, offscreen, offscreen))
        return false;
    pacer_ = FramePacer(engine.Device()->RefreshRate());
    if (!offscreen)
        Log("frames paced at " + std::to_string(int(std::lround(1000.0 / pacer_.FrameInterval()))) +
            " a second" + (engine.Device()->PresentsWithVsync() ? ", with vsync" : ""));
    platform::SetMainWindowTitle(GetString("APP_TITLE"));
    engine.BeginRender();
    engine.Clear(Skin::Instance().Get(Skin::COL_BACKDROP));
    engine.EndRender();
    engine.Flip();
    return true;
}

void WindowedServices::StartContent() {
    GameOptions::Instance().Load();
    D3DEngine& engine = D3DEngine::Instance();
    if (engine.TextureDirectories().empty()) AddStandardTextureDirectories(engine);
    TextSystem::Instance().Initialise();
    AddStandardFonts();
    Manifesto::Instance().LoadOptions();
    StyleSheet::Instance().Load();
    Skin::Instance().Load();
    SliderConfiguration::LoadAll();
}

void WindowedServices::StartMusicAndRecords() {
    if (music_.start) music_.start();
    Achievements::Instance().Load();
    // The display switch keeps the player where they were (the classic game
    // fell back to the main menu and lost its place).
    if (screenAfterToggle_) {
        Application::Instance().SetScreen(*screenAfterToggle_);
        screenAfterToggle_.reset();
    }
}

std::unique_ptr<Screen> WindowedServices::CreateScreen(int id) {
    switch (id) {
        case kScreenMainGame:
            return std::make_unique<MainGameScreen>();
        case kScreenLoading:
            return std::make_unique<LoadingScreen>();
        case kScreenOptions:
            return std::make_unique<OptionsScreen>();
        case kScreenLoadGame:
            return std::make_unique<LoadGameScreen>();
        case kScreenSaveGame:
            return std::make_unique<SaveGameScreen>();
        case kScreenMissionSelection:
            return std::make_unique<MissionSelectionScreen>();
        case kScreenUpdates:
            return std::make_unique<UpdatesScreen>();
        default:
            return std::make_unique<MainMenuScreen>();
    }
}

bool WindowedServices::PumpEvents() {
    if (options_.display != D3DEngine::Display::Window) return false;
    // Motion arrives as relative steps; anchoring the pointer where the
    // window last saw it keeps the two from drifting apart when the pointer
    // leaves and re-enters the window.
    int x = 0, y = 0;
    if (platform::PointerInWindow(&x, &y)) input_.SetMousePosition(float(x), float(y));
    const auto onFocus = [](bool active) { Application::Instance().OnActivation(active); };
    // Without the focus no frames run, so the loop sleeps on the event queue
    // instead of spinning.
    if (!Application::Instance().IsActive())
        return platform::PumpWindowEvents(device_, onFocus, 50);
    // Until the next frame is due the loop sleeps on the event queue, taking
    // input as it comes; a button change is answered by a frame at once, as
    // the game reads one of them a frame.
    for (;;) {
        platform::PumpedEvents pumped;
        const int wait = pacer_.MillisecondsUntilDue(platform::MillisecondsNow());
        if (platform::PumpWindowEvents(device_, onFocus, wait, &pumped)) return true;
        if (pumped.events > 0) pacer_.Wake(platform::MillisecondsNow());
        if (pumped.stoppedAtButton || !Application::Instance().IsActive() ||
            pacer_.MillisecondsUntilDue(platform::MillisecondsNow()) == 0)
            return false;
    }
}

void WindowedServices::PollInput() {
    // The input device's clock, which stamps the clicks too, so that tests
    // can run frames of any length.
    GuiInput::Instance().nowMilliseconds = device_.NowMilliseconds();
    input_.PublishToWidgets(device_.NowMilliseconds());
    input_.Poll();
    input_.PublishToWidgets(device_.NowMilliseconds());
}

void WindowedServices::BeginFrame() {
    GUI_WindowManager::Instance().UpdateAll();
    D3DEngine& engine = D3DEngine::Instance();
    // A still picture's frames are only worked out, to see whether it changed;
    // the first that differs wakes the pacer and the next frame shows it.
    if (auto* gate = dynamic_cast<DrawGate*>(engine.Device())) gate->SetOpen(!pacer_.IsStill());
    engine.BeginRender();
    engine.Clear(Skin::Instance().Get(Skin::COL_BACKDROP));
}

void WindowedServices::EndFrame() {
    D3DEngine& engine = D3DEngine::Instance();
    GUI_FloatingLayer::Instance().DrawAll();
    TextSystem::Instance().ProcessTextQueue();
    GdiText::Instance().FlushTextQueue();
    GUI_Pointer::Instance().Draw();
    engine.EndRender();
    if (captureRequested_) {
        captureRequested_ = false;
        captured_ = engine.ReadFrame();
        if (!capturePath_.empty()) {
            std::string error;
            if (!platform::WritePng(capturePath_, captured_, &error))
                Log("screenshot not written: " + error);
            else
                Log("screenshot written: " + capturePath_);
        }
    }
    engine.Flip();
    pacer_.FrameShown(platform::MillisecondsNow(), engine.LastFrameSignature());
    TextSystem::Instance().ClearQueue();
    RunFrameCommands();
}

void WindowedServices::MusicVolumeChanged() {
    if (music_.volume) music_.volume();
}

void WindowedServices::MusicTick() {
    if (music_.tick) music_.tick();
    if (options_.yieldEachFrame) platform::SleepMilliseconds(1);
}

void WindowedServices::OnActivation(bool active) {
    pacer_.Wake(platform::MillisecondsNow());
    if (active) {
        D3DEngine::Instance().RestoreSurfaces();
        if (music_.restart) music_.restart();
    } else if (music_.stop) {
        music_.stop();
    }
}

bool WindowedServices::ModalDialogTakesClick(int x, int y) {
    return GUI_ModalHolder::Instance().RouteClick(float(x), float(y));
}

void WindowedServices::PrepareWindowedToggle() {
    ++toggles_;
    const int windowed = ParseInt(ReadText("config", "IsWindowed", 16, kConfigPath));
    WriteWholeNumber("config", "IsWindowed", windowed == 1 ? 0 : 1, kConfigPath);
    ReleaseForRestart();
}

void WindowedServices::PrepareDisplayRestart() {
    // The player's choice of size replaces the one this run was started with.
    options_.width.reset();
    options_.height.reset();
    ReleaseForRestart();
}

void WindowedServices::ReleaseForRestart() {
    // Start-up reloads the records and options from disk, so what this
    // session earned is written first rather than lost.
    SaveRecords();
    screenAfterToggle_ = Application::Instance().CurrentScreenId();
    GdiText::Instance().Reset();
    TextSystem::Instance().RemoveAllFonts();
    D3DEngine::Instance().Release();
}

void WindowedServices::SaveRecords() {
    Achievements::Instance().Save();
    GameOptions::Instance().Save();
}

void WindowedServices::ReleaseWindows() {
    GUI_ModalHolder::Instance().SetModalWindow(nullptr);
    GUI_WindowManager::Instance().DeleteAll();
}

void WindowedServices::ReleaseGameState() {
    Network::DeleteAllNeurons();
    Network::DeleteAllEffects();
}

void WindowedServices::ReleaseDevices() {
    ClearFrameCommands();
    GdiText::Instance().Reset();
    TextSystem::Instance().RemoveAllFonts();
    TextSystem::Instance().ClearQueue();
    if (D3DEngine::Instance().IsInitialised()) D3DEngine::Instance().Release();
}
