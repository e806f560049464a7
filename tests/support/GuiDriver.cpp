// Scripted input and screenshots for tests of real screens.
#include "support/GuiDriver.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>

#include "aids/InterfacePermissions.h"
#include "core/GameRandom.h"
#include "engine/D3DEngine.h"
#include "engine/Diagnostics.h"
#include "engine/GdiText.h"
#include "engine/Sprite.h"
#include "engine/TextSystem.h"
#include "gui/GUI_TextButton.h"
#include "gui/GuiInput.h"
#include "gui/GuiScreen.h"
#include "gui/menu/GUI_MissionButton.h"
#include "gui/menu/MissionSelectionScreen.h"
#include "platform/Clock.h"
#include "platform/ImageFiles.h"
#include "world/Gameplaymanager.h"
#include "world/StringTable.h"

#ifndef POLITY_SOURCE_DIR
#error "the GUI tests need POLITY_SOURCE_DIR to find the shipped data"
#endif

void CopyShippedData() {
    namespace fs = std::filesystem;
    fs::copy(fs::path(POLITY_SOURCE_DIR) / "data", "data",
             fs::copy_options::recursive | fs::copy_options::overwrite_existing);
}

GuiDriver::GuiDriver(int width, int height, D3DEngine::Display display) {
    CopyShippedData();
    // The dummy driver rather than the offscreen one, which probes EGL and
    // leaves the leak checker allocations it cannot account for.
    if (display == D3DEngine::Display::Window) setenv("SDL_VIDEODRIVER", "dummy", 1);
    WindowedOptions options;
    options.display = display;
    options.width = width;
    options.height = height;
    options.yieldEachFrame = false;
    auto services = std::make_unique<WindowedServices>(options);
    services_ = services.get();
    D3DEngine::Instance().ResetForNewRun();
    GuiInput::Instance().Reset();
    // Each test counts only the failed assertions of its own run.
    ResetDiagnosticsCounters();
    App().SetServices(std::move(services));
    App().SetGameStarted(false);
    App().Startup();
}

GuiDriver::~GuiDriver() {
    App().Shutdown();
    App().SetServices(nullptr);
    D3DEngine::Instance().ResetForNewRun();
    GuiInput::Instance().Reset();
}

void GuiDriver::StartGame(std::uint32_t seed, const std::string& mission) {
    GameRandom::Seed(seed);
    InterfacePermissions::Instance().RestoreAll();
    App().SetGameStarted(true);
    Gameplaymanager::Instance().StartGame(mission);
}

void GuiDriver::Frames(int count) {
    for (int i = 0; i < count; ++i) {
        clock_ += pace_;
        App().RunFrame();
    }
}

void GuiDriver::PaceFrames(double milliseconds) {
    pace_ = milliseconds;
    if (milliseconds <= 0.0) {
        services_->Device().SetClock(platform::MillisecondsNow);
        return;
    }
    clock_ = platform::MillisecondsNow();
    services_->Device().SetClock([this] { return clock_; });
}

void GuiDriver::MoveTo(float x, float y) {
    Input& input = services_->GetInput();
    platform::InputDevice& device = services_->Device();
    const int dx = int(x) - input.MousePixelX(), dy = int(y) - input.MousePixelY();
    if (dx) device.PushMouse({platform::MouseEvent::Kind::MotionX, dx});
    if (dy) device.PushMouse({platform::MouseEvent::Kind::MotionY, dy});
    Frames(1);
}

void GuiDriver::PressLeft() {
    services_->Device().PushMouse({platform::MouseEvent::Kind::LeftButton, 1});
    Frames(1);
}

void GuiDriver::ReleaseLeft() {
    services_->Device().PushMouse({platform::MouseEvent::Kind::LeftButton, 0});
    Frames(1);
}

void GuiDriver::Click(float x, float y) {
    // A player cannot click what lies off the screen.
    const float width = float(ScreenWidth()), height = float(ScreenHeight());
    if (x < 0.0f || y < 0.0f || x >= width || y >= height)
        ADD_FAILURE() << "a click at (" << x << ", " << y << ") is off the " << width << " x "
                      << height << " screen";
    MoveTo(x, y);
    PressLeft();
    ReleaseLeft();
}

void GuiDriver::RightClick(float x, float y) {
    MoveTo(x, y);
    services_->Device().PushMouse({platform::MouseEvent::Kind::RightButton, 1});
    Frames(1);
    services_->Device().PushMouse({platform::MouseEvent::Kind::RightButton, 0});
    Frames(1);
}

void GuiDriver::Wheel(int notches) {
    services_->Device().PushMouse({platform::MouseEvent::Kind::Wheel, notches * 120});
    Frames(1);
}

void GuiDriver::HoldKey(int scanCode) {
    services_->Device().PushKey({scanCode, true});
    Frames(1);
}

void GuiDriver::ReleaseKey(int scanCode) {
    services_->Device().PushKey({scanCode, false});
    Frames(1);
}

void GuiDriver::Key(int scanCode, bool withLeftAlt) {
    platform::InputDevice& device = services_->Device();
    if (withLeftAlt) device.PushKey({Application::kLeftAltScanCode, true});
    device.PushKey({scanCode, true});
    Frames(1);
    device.PushKey({scanCode, false});
    if (withLeftAlt) device.PushKey({Application::kLeftAltScanCode, false});
    Frames(1);
}

platform::Image GuiDriver::Screenshot() {
    services_->CaptureNextFrame();
    Frames(1);
    return services_->CapturedFrame();
}

platform::Image GuiDriver::Screenshot(const std::string& name) {
    platform::Image frame = Screenshot();
    if (const char* dir = std::getenv("POLITY_SCREENSHOT_DIR"); dir && *dir)
        platform::WritePng(std::string(dir) + "/" + name + ".png", frame);
    return frame;
}

void ClickCentre(GuiDriver& driver, const GUI_BaseElement& element) {
    driver.Click(float(element.Left() + element.Right()) / 2.0f,
                 float(element.Top() + element.Bottom()) / 2.0f);
}

void ClickCentre(GuiDriver& driver, const GUI_BaseElement* element) {
    ASSERT_NE(element, nullptr) << "nothing there to click";
    ClickCentre(driver, *element);
}

GUI_TextButton* TextButton(Application& app, const char* key) {
    auto* screen = dynamic_cast<GuiScreen*>(app.CurrentScreen());
    if (!screen) return nullptr;
    for (const auto& button : screen->Controls().Buttons()) {
        auto* text = dynamic_cast<GUI_TextButton*>(button.get());
        if (text && text->Label() == GetString(key)) return text;
    }
    return nullptr;
}

void RunFirstCountry(GuiDriver& driver, MissionSelectionScreen& missions) {
    for (const auto& button : missions.Controls().Buttons()) {
        if (dynamic_cast<GUI_MissionButton*>(button.get())) {
            ClickCentre(driver, *button);
            break;
        }
    }
    ClickCentre(driver, missions.RunButton());
}
