// The program's spine: start-up in its fixed order, one frame at a time over
// the current screen, screen switching, focus changes and shutdown. It runs
// the same with a window or without one (headless).
#pragma once

#include <map>
#include <memory>

#include "core/ApplicationServices.h"
#include "core/Screen.h"
#include "engine/Timer.h"

class Application {
public:
    static constexpr int kReturnScanCode = 28;
    static constexpr int kLeftAltScanCode = 56;

    static Application& Instance();

    // Hands in the layers above the core; without them the program is headless.
    void SetServices(std::unique_ptr<ApplicationServices> services);
    ApplicationServices& Services() { return *services_; }

    // Start-up in its order; the result becomes the active flag.
    bool Startup();
    void Shutdown();

    // The message pump: frames run while active, until a quit is requested or
    // `maxFrames` frames have run (negative: no limit). Returns the exit code.
    int Run(int maxFrames = -1);
    void RunFrame();

    void SetScreen(int id);
    int CurrentScreenId() const { return currentScreenId_; }
    Screen* CurrentScreen() const { return currentScreen_; }
    Timer& ScreenTimer() { return screenTimer_; }

    // Alt+Return toggles the windowed mode; every key then goes to the screen.
    void OnKey(int keyCode, bool leftAltHeld);
    void OnMouseClick(int x, int y);
    void OnActivation(bool active);

    // Flips the windowed setting and runs start-up again (Alt+Return, the
    // options screen's full-screen box).
    void ToggleWindowedMode();
    // Releases the display and runs start-up again with the configured size
    // (a new resolution); the player stays on the screen they were on.
    void RestartDisplay();

    // Draws one frame of the loading screen from inside a long operation.
    void ShowLoadingFrame();
    void BackToGame();

    // Opens the game's web site (setup value "website") in the browser;
    // false, opening nothing, when none is set.
    bool OpenProductWebSite();

    // Linked mode off, shutdown, and the pump ends with code 0.
    void QuitGame();
    void RequestQuit(int exitCode);
    bool IsQuitRequested() const { return quitRequested_; }

    bool IsActive() const { return active_; }
    bool IsInitialised() const { return initialised_; }
    float InterfaceScale() const { return interfaceScale_; }
    void SetInterfaceScale(float scale) { interfaceScale_ = scale; }
    bool IsGameStarted() const { return gameStarted_; }
    void SetGameStarted(bool started) { gameStarted_ = started; }
    long FramesRun() const { return framesRun_; }

private:
    Application();

    std::unique_ptr<ApplicationServices> services_;
    std::map<int, std::unique_ptr<Screen>> screens_;
    int currentScreenId_ = kScreenMainMenu;
    Timer screenTimer_;
    Screen* currentScreen_ = nullptr;
    float interfaceScale_ = 1.0f;
    bool gameStarted_ = false;
    bool active_ = false;
    bool initialised_ = false;
    bool shutDown_ = false;
    bool quitRequested_ = false;
    int exitCode_ = 0;
    long framesRun_ = 0;
};
