// A clickable element with an action and an optional tooltip; every button
// kind derives from it and only changes how it looks or what a click does.
#pragma once

#include <functional>
#include <memory>
#include <string_view>

#include "gui/GUI_BaseElement.h"
#include "gui/GUI_Tooltip.h"

class GUI_Window;

class GUI_Button : public GUI_BaseElement {
public:
    using Action = std::function<void()>;
    enum State : int { kNormal = 0, kHighlighted = 1, kSelected = 2 };
    static constexpr int kTooltipDelay = 20;

    explicit GUI_Button(Action action = {}) : action_(std::move(action)) {}

    // Also puts the tooltip centred under the button, on screen.
    void SetRect(float left, float top, float right, float bottom) override;
    // A hit on an enabled button activates it; true when it did.
    virtual bool OnClick(float x, float y);
    // Plays the click sound and runs the action (enabled buttons only).
    virtual void Activate();
    // Highlight and tooltip from where the pointer is this frame.
    virtual void Update();
    // The plain button draws only its tooltip; every kind ends with it.
    void Draw() override { DrawTooltip(); }

    void SetTooltip(std::string_view text, int delayFrames = kTooltipDelay);
    GUI_Tooltip* Tooltip() const { return tooltip_.get(); }
    void SetAction(Action action) { action_ = std::move(action); }
    bool HasAction() const { return bool(action_); }
    void SetEnabled(bool enabled) { enabled_ = enabled; }
    bool IsEnabled() const { return enabled_; }
    int GetState() const { return state_; }
    void SetState(int state) { state_ = state; }
    void SetOwner(GUI_Window* owner) { owner_ = owner; }
    GUI_Window* Owner() const { return owner_; }

protected:
    void DrawTooltip();
    void RunAction() const;

    int state_ = kNormal;
    Action action_;
    GUI_Window* owner_ = nullptr;
    std::unique_ptr<GUI_Tooltip> tooltip_;
    bool enabled_ = true;
};
