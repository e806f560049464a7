// Clicks and keys routed to the application.
#include "gui/GameInput.h"

#include "core/Application.h"
#include "gui/GuiInput.h"
#include "gui/GuiScreen.h"

namespace {
GuiScreen* CurrentGuiScreen() {
    return dynamic_cast<GuiScreen*>(Application::Instance().CurrentScreen());
}
}  // namespace

void GameInput::OnLeftDown() {
    Input::OnLeftDown();
    // Widgets see the press in the same frame as the click.
    PublishToWidgets(GuiInput::Instance().nowMilliseconds);
    Application::Instance().OnMouseClick(MousePixelX(), MousePixelY());
    if (GuiScreen* screen = CurrentGuiScreen()) screen->AfterLeftClick();
}

void GameInput::OnRightDown() {
    Input::OnRightDown();
    PublishToWidgets(GuiInput::Instance().nowMilliseconds);
    if (GuiScreen* screen = CurrentGuiScreen()) screen->RightClick(MousePixelX(), MousePixelY());
}

void GameInput::OnKey(int scanCode) {
    if (interceptor_ && interceptor_(scanCode)) return;
    GuiInput::Instance().keyWithLeftAlt = KeyCameWithLeftAlt();
    Application::Instance().OnKey(scanCode, KeyCameWithLeftAlt());
    GuiInput::Instance().keyWithLeftAlt = false;
}

void GameInput::PublishToWidgets(double nowMilliseconds) const {
    GuiInput& gui = GuiInput::Instance();
    gui.mouseX = MouseX();
    gui.mouseY = MouseY();
    gui.leftDown = IsLeftDown();
    gui.stillFrames = StillFrames();
    gui.wheelNotches = WheelNotches();
    gui.nowMilliseconds = nowMilliseconds;
    gui.lastInputMilliseconds = LastActivityMilliseconds();
    for (int code = 0; code < 256; ++code) gui.keys[size_t(code)] = IsKeyDown(code);
}
