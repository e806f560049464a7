// Window order, the screen each window belongs to, click routing and closing.
#include "gui/GUI_WindowManager.h"

#include <algorithm>

#include "core/Application.h"
#include "gui/GUI_ModalHolder.h"
#include "gui/GUI_Window.h"
#include "gui/GuiInput.h"

namespace {
int ShownScreen() {
    return CanonicalScreenId(Application::Instance().CurrentScreenId());
}
}  // namespace

GUI_WindowManager& GUI_WindowManager::Instance() {
    static GUI_WindowManager manager;
    return manager;
}

int GUI_WindowManager::HomeScreenNow() {
    const int screen = ShownScreen();
    return screen == kScreenLoading ? int(kScreenMainGame) : screen;
}

void GUI_WindowManager::Register(GUI_Window* window) {
    if (!window) return;
    window->SetHomeScreen(HomeScreenNow());
    order_.push_back(window);
    window->SetRegistered(true);
}

void GUI_WindowManager::Unregister(GUI_Window* window) {
    order_.erase(std::remove(order_.begin(), order_.end(), window), order_.end());
    if (window) window->SetRegistered(false);
}

void GUI_WindowManager::Raise(GUI_Window* window) {
    const auto it = std::find(order_.begin(), order_.end(), window);
    if (it == order_.end()) return;
    order_.erase(it);
    order_.push_back(window);
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

bool GUI_WindowManager::IsShown(const GUI_Window* window) const {
    if (!IsOpen(window) || !window->IsVisible()) return false;
    // Without a screen (widgets on their own) there is nothing to hide behind.
    if (!Application::Instance().CurrentScreen()) return true;
    // No window is at home on the loading screen: what opens during a turn
    // waits there for the game screen.
    return window->HomeScreen() == ShownScreen();
}

GUI_Window* GUI_WindowManager::TopShown() const {
    for (auto it = order_.rbegin(); it != order_.rend(); ++it)
        if (IsShown(*it)) return *it;
    return nullptr;
}

std::vector<GUI_Window*> GUI_WindowManager::InputWindows() const {
    const GUI_Window* modal = GUI_ModalHolder::Instance().ModalWindow();
    std::vector<GUI_Window*> windows;
    for (GUI_Window* window : order_) {
        if (!IsShown(window)) continue;
        if (window == modal) windows.clear();
        windows.push_back(window);
    }
    return windows;
}

void GUI_WindowManager::DrawAll() {
    const std::vector<GUI_Window*> order = order_;
    for (GUI_Window* window : order)
        if (IsShown(window)) window->Draw();
}

void GUI_WindowManager::UpdateAll() {
    DeletePending();
    GuiInput::Instance().mouseOverWindow = false;
    const std::vector<GUI_Window*> order = order_;
    for (auto it = order.rbegin(); it != order.rend(); ++it)
        if (IsShown(*it)) (*it)->Update();
}

bool GUI_WindowManager::OnClick(float x, float y) {
    // A button may open or close windows; walk a copy.
    std::vector<GUI_Window*> order = InputWindows();
    // Whatever opened above a window that must be answered (the quit
    // question, an award) is dealt with first, and nothing beneath the top
    // window hears the click meanwhile.
    const GUI_Window* modal = GUI_ModalHolder::Instance().ModalWindow();
    if (!order.empty() && IsShown(modal)) order.erase(order.begin(), order.end() - 1);
    bool taken = false;
    for (auto it = order.rbegin(); it != order.rend() && !taken; ++it)
        taken = IsShown(*it) && (*it)->OnClick(x, y);
    DeletePending();
    return taken;
}

bool GUI_WindowManager::AnyClosable() const {
    const std::vector<GUI_Window*> windows = InputWindows();
    return std::any_of(windows.begin(), windows.end(),
                       [](const GUI_Window* w) { return w->IsClosable(); });
}

void GUI_WindowManager::CloseTopmost() {
    const std::vector<GUI_Window*> windows = InputWindows();
    for (auto it = windows.rbegin(); it != windows.rend(); ++it) {
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
