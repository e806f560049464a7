// A rectangle that owns a list of buttons, is drawn and clicked as one, and
// swallows every click inside it. Screens, dialogs and panels are windows.
// (The design's separate buttons-list base is folded in: nothing else uses it.)
#pragma once

#include <memory>
#include <vector>

#include "gui/GUI_Button.h"

class GUI_Window : public GUI_BaseElement {
public:
    GUI_Window() = default;
    // Leaves the window manager and the modal holder.
    ~GUI_Window() override;

    // Takes the button and becomes its owner; returns it for setting up.
    virtual GUI_Button* AddButton(std::unique_ptr<GUI_Button> button);
    template <typename B, typename... Args>
    B* Add(Args&&... args) {
        auto button = std::make_unique<B>(std::forward<Args>(args)...);
        B* raw = button.get();
        AddButton(std::move(button));
        return raw;
    }
    // Tries the buttons in order; true for any click inside the visible window.
    virtual bool OnClick(float x, float y);
    // Marks that the pointer is over a window.
    virtual void Update();
    // The panel (if the window has one), then each button updated and drawn.
    void Draw() override;
    // Dialogs answer true: the close key and the right-click menu may close them.
    virtual bool IsClosable() const { return false; }
    // Whether the end of a turn closes the window; dialogs do unless they say
    // otherwise (a policy's details stay open across the turn).
    virtual bool ClosesAtTurnEnd() const { return IsClosable(); }
    // Asked before the window manager closes it: true lets it be deleted; a
    // window that must stay, or closes through its own cancel, returns false.
    virtual bool CloseRequested() { return true; }

    void SetVisible(bool visible) { visible_ = visible; }
    bool IsVisible() const { return visible_; }
    void SetRegistered(bool registered) { registered_ = registered; }
    bool IsRegistered() const { return registered_; }
    // The screen the window was opened for: it is drawn and takes input only
    // while that screen is shown.
    void SetHomeScreen(int screen) { homeScreen_ = screen; }
    int HomeScreen() const { return homeScreen_; }
    const std::vector<std::unique_ptr<GUI_Button>>& Buttons() const { return buttons_; }

protected:
    virtual void DrawPanel() {}
    void UpdateAndDrawButtons();

    std::vector<std::unique_ptr<GUI_Button>> buttons_;
    bool visible_ = true;
    bool registered_ = false;
    int homeScreen_ = -1;
};
