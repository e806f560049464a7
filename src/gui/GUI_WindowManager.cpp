// Window order, click routing and closing.
#include "gui/GUI_WindowManager.h"

#include <algorithm>

#include "gui/GUI_Window.h"
#include "gui/GuiInput.h"

GUI_WindowManager& GUI_WindowManager::Instance() {
    static GUI_WindowManager manager;
    return manager;
}

void GUI_WindowManager::Register(GUI_Window* window) {
    if (!window) return;
    order_.push_back(window);
    window->SetRegistered(true);
}

void GUI_WindowManager::Unregister(GUI_Window* window) {
    order_.erase(std::remove(order_.begin(), order_.end(), window), order_.end());
    if (window) window->SetRegistered(false);
}

void GUI_WindowManager::Adopt(std::unique_ptr<GUI_Window> window) {
    if (!window) return;
    Register(window.get());
    owned_.push_back(std::move(window));
}

void GUI_WindowManager::Close(GUI_Window* window) {
    const bool owned = std::any_of(owned_.begin(), owned_.end(),
                                   [window](const auto& w) { return w.get() == window; });
    if (!owned) {
        Unregister(window);
        return;
    }
    window->SetVisible(false);
    if (std::find(pending_.begin(), pending_.end(), window) == pending_.end())
        pending_.push_back(window);
}

void GUI_WindowManager::DeletePending() {
    const std::vector<GUI_Window*> pending = std::move(pending_);
    pending_.clear();
    for (GUI_Window* window : pending) {
        const auto it = std::find_if(owned_.begin(), owned_.end(),
                                     [window](const auto& w) { return w.get() == window; });
        if (it == owned_.end()) continue;
        std::unique_ptr<GUI_Window> doomed = std::move(*it);
        owned_.erase(it);
        doomed.reset();  // its destructor unregisters it
    }
}

void GUI_WindowManager::DrawAll() {
    const std::vector<GUI_Window*> order = order_;
    for (GUI_Window* window : order)
        if (IsOpen(window)) window->Draw();
}

void GUI_WindowManager::UpdateAll() {
    DeletePending();
    GuiInput::Instance().mouseOverWindow = false;
    const std::vector<GUI_Window*> order = order_;
    for (auto it = order.rbegin(); it != order.rend(); ++it)
        if (IsOpen(*it)) (*it)->Update();
}

bool GUI_WindowManager::OnClick(float x, float y) {
    // A button may open or close windows; walk a copy of the order.
    const std::vector<GUI_Window*> order = order_;
    bool taken = false;
    for (auto it = order.rbegin(); it != order.rend() && !taken; ++it)
        taken = IsOpen(*it) && (*it)->OnClick(x, y);
    DeletePending();
    return taken;
}

bool GUI_WindowManager::AnyClosable() const {
    return std::any_of(order_.begin(), order_.end(),
                       [](const GUI_Window* w) { return w->IsClosable(); });
}

void GUI_WindowManager::CloseTopmost() {
    for (auto it = order_.rbegin(); it != order_.rend(); ++it) {
        if (!(*it)->IsClosable()) continue;
        GUI_Window* window = *it;
        if (window->CloseRequested()) Close(window);
        break;
    }
    DeletePending();
}

void GUI_WindowManager::DeleteAll() {
    pending_.clear();
    std::vector<std::unique_ptr<GUI_Window>> owned = std::move(owned_);
    owned_.clear();
    owned.clear();
    for (GUI_Window* window : std::vector<GUI_Window*>(order_)) Unregister(window);
}

bool GUI_WindowManager::IsOpen(const GUI_Window* window) const {
    return std::find(order_.begin(), order_.end(), window) != order_.end();
}
