// The windowed program's side of the application spine: the SDL window (or
// an offscreen bitmap in tests), the renderer, fonts, styles, input and the
// GUI frame around the current screen, plus the windowed/full-screen switch.
#pragma once

#include <functional>
#include <memory>
#include <optional>
#include <string>

#include "core/ApplicationServices.h"
#include "engine/D3DEngine.h"
#include "engine/FramePacer.h"
#include "gui/GameInput.h"
#include "gui/GuiGameplayListener.h"
#include "platform/Image.h"
#include "platform/InputDevice.h"

// What the sound system will plug in; until then every hook is empty.
struct MusicHooks {
    std::function<void()> start;    // after the first screen is set
    std::function<void()> tick;     // once a frame
    std::function<void()> restart;  // focus regained: the current track from its start
    std::function<void()> stop;     // focus lost: stop and rewind
    std::function<void()> volume;   // the "MUSIC" option changed: apply it to what plays
};

struct WindowedOptions {
    // Offscreen draws into memory with no window (tests, screenshots).
    D3DEngine::Display display = D3DEngine::Display::Window;
    // Overrides "data/config.muf" for this run without writing it.
    std::optional<int> width, height;
    // The desktop when no display answers (offscreen runs): large enough
    // that the configured size is never cut.
    int fallbackDesktopWidth = 1920;
    int fallbackDesktopHeight = 1200;
    // Whether frames yield the processor (a real window does; tests need not).
    bool yieldEachFrame = true;
};

class WindowedServices : public ApplicationServices {
public:
    explicit WindowedServices(WindowedOptions options = {}, MusicHooks music = {});
    ~WindowedServices() override;

    bool StartDevices() override;
    void StartContent() override;
    void StartMusicAndRecords() override;
    std::unique_ptr<Screen> CreateScreen(int id) override;
    bool PumpEvents() override;
    void PollInput() override;
    void BeginFrame() override;
    void EndFrame() override;
    void MusicTick() override;
    void OnActivation(bool active) override;
    bool ModalDialogTakesClick(int x, int y) override;
    void PrepareWindowedToggle() override;
    void PrepareDisplayRestart() override;
    void SaveRecords() override;
    void ReleaseWindows() override;
    void ReleaseGameState() override;
    void ReleaseDevices() override;

    // The device tests feed events into.
    platform::InputDevice& Device() { return device_; }
    GameInput& GetInput() { return input_; }
    const WindowedOptions& Options() const { return options_; }
    int TogglesDone() const { return toggles_; }
    // The options screen's music slider moved.
    void MusicVolumeChanged();

    static constexpr int kScreenshotKey = 88;  // F12
    // The next frame is read back before it is shown: kept for CapturedFrame,
    // and written as PNG when a path is given.
    void CaptureNextFrame(std::string path = {});
    const platform::Image& CapturedFrame() const { return captured_; }

private:
    // Saves the records, remembers the screen and releases the display.
    void ReleaseForRestart();

    WindowedOptions options_;
    MusicHooks music_;
    platform::InputDevice device_;
    GameInput input_;
    GuiGameplayListener listener_;
    // The screen to come back to after the display switch re-runs start-up.
    std::optional<int> screenAfterToggle_;
    int toggles_ = 0;
    // Frames follow the display's refresh, and a still picture is drawn rarely.
    FramePacer pacer_;
    bool captureRequested_ = false;
    std::string capturePath_;
    platform::Image captured_;
};
