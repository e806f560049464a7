// Windows: button ownership, click capture and drawing order.
#include "gui/GUI_Window.h"

#include "engine/Diagnostics.h"
#include "gui/GUI_ModalHolder.h"
#include "gui/GUI_WindowManager.h"
#include "gui/GuiInput.h"

GUI_Window::~GUI_Window() {
    if (registered_) GUI_WindowManager::Instance().Unregister(this);
    GUI_ModalHolder& holder = GUI_ModalHolder::Instance();
    if (holder.ModalWindow() == this) holder.SetModalWindow(nullptr);
}

GUI_Button* GUI_Window::AddButton(std::unique_ptr<GUI_Button> button) {
    Assert(button != nullptr, "GUI_Window", __LINE__);
    if (!button) return nullptr;
    button->SetOwner(this);
    buttons_.push_back(std::move(button));
    return buttons_.back().get();
}

bool GUI_Window::OnClick(float x, float y) {
    if (!visible_ || !Contains(x, y)) return false;
    // One click activates at most one button; an action may add buttons.
    for (size_t i = 0; i < buttons_.size(); ++i)
        if (buttons_[i]->OnClick(x, y)) break;
    return true;
}

void GUI_Window::Update() {
    GuiInput& input = GuiInput::Instance();
    if (visible_ && Contains(input.mouseX, input.mouseY)) input.mouseOverWindow = true;
}

void GUI_Window::Draw() {
    if (!visible_) return;
    DrawPanel();
    UpdateAndDrawButtons();
}

void GUI_Window::UpdateAndDrawButtons() {
    for (size_t i = 0; i < buttons_.size(); ++i) {
        buttons_[i]->Update();
        buttons_[i]->Draw();
    }
}
