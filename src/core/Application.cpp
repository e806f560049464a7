// Start-up, frames, screens and shutdown of the program.
#include "core/Application.h"

#include "core/EnrolledManager.h"
#include "core/LinkedMode.h"
#include "core/SetupValues.h"
#include "engine/DebugLog.h"
#include "engine/Diagnostics.h"

namespace {

// Stands in for a screen that no layer provides (no window to show it on).
class BlankScreen : public Screen {
public:
    void RunFrame() override {}
};

}  // namespace

Application& Application::Instance() {
    static Application application;
    return application;
}

Application::Application() : services_(std::make_unique<ApplicationServices>()) {}

void Application::SetServices(std::unique_ptr<ApplicationServices> services) {
    services_ = services ? std::move(services) : std::make_unique<ApplicationServices>();
    screens_.clear();
    currentScreen_ = nullptr;
    // A new run: the last one's request to quit is not this one's.
    quitRequested_ = false;
}

bool Application::Startup() {
    DebugLog::Instance().Open("debugdata/debug.txt", initialised_);
    DebugLog::Instance().EnableChannel("finance");
    SetLinkedMode(true);
    SetupValues::Instance().Load();
    const bool devices = services_->StartDevices();
    if (!devices) Log("start-up: the display could not be started");
    services_->StartContent();
    SetScreen(kScreenMainMenu);
    services_->StartMusicAndRecords();
    active_ = true;
    initialised_ = true;
    shutDown_ = false;
    return active_;
}

void Application::Shutdown() {
    if (shutDown_) return;
    shutDown_ = true;
    SetLinkedMode(false);
    services_->SaveRecords();
    services_->ReleaseWindows();
    EnrolledManager::ResetAll();
    services_->ReleaseGameState();
    services_->ReleaseDevices();
    CloseLog();
}

int Application::Run(int maxFrames) {
    while (!quitRequested_) {
        if (services_->PumpEvents()) RequestQuit(0);
        if (quitRequested_) break;
        if (active_) RunFrame();
        if (maxFrames >= 0 && framesRun_ >= maxFrames) break;
    }
    return exitCode_;
}

void Application::RunFrame() {
    services_->PollInput();
    if (IsLinkedMode()) {
        services_->BeginFrame();
        if (currentScreen_) currentScreen_->RunFrame();
        services_->EndFrame();
    }
    services_->MusicTick();
    ++framesRun_;
}

void Application::SetScreen(int id) {
    currentScreenId_ = id;
    screenTimer_.Start();
    const int canonical = CanonicalScreenId(id);
    auto& slot = screens_[canonical];
    if (!slot) {
        slot = services_->CreateScreen(canonical);
        if (!slot) slot = std::make_unique<BlankScreen>();
    }
    currentScreen_ = slot.get();
    currentScreen_->Activate();
}

void Application::OnKey(int keyCode, bool leftAltHeld) {
    if (keyCode == kReturnScanCode && leftAltHeld) ToggleWindowedMode();
    if (currentScreen_) currentScreen_->Key(keyCode);
}

void Application::OnMouseClick(int x, int y) {
    if (CanonicalScreenId(currentScreenId_) == kScreenMainGame && services_->ModalDialogTakesClick(x, y)) return;
    if (currentScreen_) currentScreen_->MouseClick(x, y);
}

void Application::OnActivation(bool active) {
    active_ = active;
    if (initialised_ || !active) services_->OnActivation(active);
}

void Application::ToggleWindowedMode() {
    services_->PrepareWindowedToggle();
    Startup();
}

void Application::RestartDisplay() {
    services_->PrepareDisplayRestart();
    Startup();
}

void Application::ShowLoadingFrame() {
    SetScreen(kScreenLoading);
    RunFrame();
}

void Application::BackToGame() { SetScreen(kScreenMainGame); }

bool Application::OpenProductWebSite() {
    const std::string& site = SetupValues::Instance().GetSetupString("website");
    return !site.empty() && OpenDocument(site);
}

void Application::QuitGame() {
    SetLinkedMode(false);
    Shutdown();
    RequestQuit(0);
}

void Application::RequestQuit(int exitCode) {
    quitRequested_ = true;
    exitCode_ = exitCode;
}
