// Screens built from GUI elements.
#include "gui/GuiScreen.h"

#include "core/Application.h"
#include "engine/D3DEngine.h"
#include "engine/Skin.h"
#include "gui/FrameCommands.h"
#include "gui/GUI_WindowManager.h"

void ClearToSlate() {
    D3DEngine::Instance().Clear(Skin::Instance().Get(Skin::COL_SLATE));
}

GuiScreen::GuiScreen() : controls_(std::make_unique<GUI_Window>()) {}

void SwitchScreen(int id) {
    RunAfterFrame([id] { Application::Instance().SetScreen(id); });
}

void GuiScreen::Activate() {
    const int width = int(ScreenWidth()), height = int(ScreenHeight());
    controls_ = std::make_unique<GUI_Window>();
    controls_->SetRect(0.0f, 0.0f, float(width), float(height));
    Build(width, height, Application::Instance().InterfaceScale());
}

void GuiScreen::RunFrame() {
    DrawBackground();
    // The controls cover the screen, so they are drawn but never marked as a
    // window under the pointer (the map would ignore the mouse everywhere).
    controls_->Draw();
    GUI_WindowManager::Instance().DrawAll();
    DrawForeground();
}

void GuiScreen::MouseClick(int x, int y) {
    if (GUI_WindowManager::Instance().OnClick(float(x), float(y))) return;
    controls_->OnClick(float(x), float(y));
}
