// The right-click menu.
#include "gui/GUI_RightClickMenu.h"

#include <algorithm>

#include "engine/D3DEngine.h"
#include "gui/GUI_FlatTextButton.h"
#include "gui/GUI_WindowManager.h"
#include "gui/GuiInput.h"
#include "politics/IssuesList.h"
#include "world/StringTable.h"

namespace {
struct MenuEntry {
    const char* key;
    ControlPanelAction action;
};
constexpr MenuEntry kMenu[GUI_RightClickMenu::kEntries] = {
    {"RCMENU_POLLS", ControlPanelAction::Polls},
    {"RCMENU_NEWPOLICY", ControlPanelAction::NewPolicy},
    {"RCMENU_CASH", ControlPanelAction::Money},
    {"RCMENU_OPTIONS", ControlPanelAction::Options},
    {"RCMENU_NEXTTURN", ControlPanelAction::NextTurn},
};
}  // namespace

GUI_RightClickMenu::GUI_RightClickMenu(std::function<void(ControlPanelAction)> handler) {
    for (const MenuEntry& entry : kMenu) {
        const ControlPanelAction action = entry.action;
        Add<GUI_FlatTextButton>(GetString(entry.key), [handler, action] {
            if (handler) handler(action);
        });
    }
}

Rect GUI_RightClickMenu::EntryRect(int index, float mouseX, float mouseY, int screenWidth,
                                   int screenHeight, float scale) {
    const float width = kButtonWidth * scale, height = kButtonHeight * scale;
    const float step = height + kGap;
    const float x =
        mouseX + 8.0f > float(screenWidth) - width ? mouseX - width - 20.0f : mouseX + 8.0f;
    // Centred on the pointer (the step already carries the scale; scaling it
    // twice put the menu far above the pointer on large screens).
    float top = mouseY - 2.5f * step;
    top = std::min(std::max(top, 0.0f), float(screenHeight) - float(kEntries) * step);
    const float y = top + float(index) * step;
    return Rect{int(x), int(y), int(x + width), int(y + height)};
}

void GUI_RightClickMenu::Open(float mouseX, float mouseY, int screenWidth, int screenHeight,
                              float scale) {
    GUI_WindowManager& windows = GUI_WindowManager::Instance();
    if (registered_) windows.Unregister(this);
    for (int i = 0; i < kEntries; ++i) {
        const Rect r = EntryRect(i, mouseX, mouseY, screenWidth, screenHeight, scale);
        buttons_[size_t(i)]->SetRect(float(r.left), float(r.top), float(r.right), float(r.bottom));
    }
    const Rect first = buttons_.front()->GetRect(), last = buttons_.back()->GetRect();
    SetRect(float(first.left), float(first.top), float(last.right), float(last.bottom));
    shown_ = true;
    windows.Register(this);
}

void GUI_RightClickMenu::Close() {
    shown_ = false;
    if (registered_) GUI_WindowManager::Instance().Unregister(this);
}

void GUI_RightClickMenu::Update() {
    if (!shown_) return;
    NextTurnEntry()->SetEnabled(!IssuesList::Instance().HasDilemma());
    GuiInput::Instance().mouseOverWindow = true;
}

void GUI_RightClickMenu::Draw() {
    if (!shown_) return;
    D3DEngine::Instance().FillRect(Rect{0, 0, int(ScreenWidth()), int(ScreenHeight())}, kDimColour);
    UpdateAndDrawButtons();
}

bool GUI_RightClickMenu::OnClick(float x, float y) {
    if (!shown_) return false;
    for (const auto& button : buttons_)
        if (button->OnClick(x, y)) return true;
    return false;
}
