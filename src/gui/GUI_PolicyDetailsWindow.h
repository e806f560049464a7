// The window of one policy in force: its slider, what it is and what it
// does (two tabs), how far it has been put into practice, what it costs and
// earns at the slider's setting, and the way to scrap it. Under restricted
// powers closing it after a change asks for a point of political capital.
#pragma once

#include <memory>
#include <string>

#include "gui/GUISlider.h"
#include "gui/GUI_TabContainer.h"
#include "gui/GUI_Tooltip.h"
#include "gui/GUI_Window.h"

class Policy;

class GUI_PolicyDetailsWindow : public GUI_Window, public GUISliderOwner {
public:
    static constexpr float kWidth = 560.0f;
    static constexpr float kHeight = 520.0f;
    static constexpr float kSliderLength = 300.0f;

    explicit GUI_PolicyDetailsWindow(Policy& policy);
    // A cancel request still standing takes the policy out of force.
    ~GUI_PolicyDetailsWindow() override;

    bool IsClosable() const override { return true; }
    // Once settled for the coming turn it stays over the turn and shows the
    // policy's slider afterwards; unsettled (a game being started or loaded)
    // it goes with the other windows.
    bool ClosesAtTurnEnd() const override;
    // Escape and the right-click menu go through the close path.
    bool CloseRequested() override;
    bool OnClick(float x, float y) override;
    // Closes itself once its policy has left force, and follows the policy's
    // slider while the player is not dragging it.
    void Update() override;
    void Draw() override;

    // The close path: under restricted powers a change (a moved slider or a
    // cancel request) asks for a point of capital, or, with none left, is
    // undone and the blocked dialog opens; otherwise the window closes.
    void RequestClose();
    // The CANCEL button: a cancel request, then the close path.
    void RequestCancel();
    // Before a turn: under restricted powers a moved slider is paid for when
    // capital is left and undone when none is; what stands then counts as
    // the setting the window opened with. No cancel request survives.
    void SettleChange();
    // Closing without a question (the tutorial): settles, then closes.
    void SettleAndClose();

    // Null once the policy has been deleted.
    Policy* GetPolicy() const;
    float OpeningValue() const { return openingValue_; }
    bool IsCancelRequested() const { return cancelRequested_; }
    bool HasChange() const;
    GUISlider& Slider() { return slider_; }
    GUI_TabContainer& Tabs() { return *tabs_; }
    GUI_Button* CancelButton() const { return cancel_; }
    GUI_Button* CloseButton() const { return close_; }
    bool ShowsImplementationBar() const;
    bool ShowsCostLine() const;
    bool ShowsIncomeLine() const;
    // Empty when the policy changes at once.
    std::string PolicyChangeText() const;
    Rect ImplementationBarRect() const;
    // Where the cost and income lines hang from.
    int MoneyTop() const;

    // GUISliderOwner: a drop (or an arrow key) sets the policy's slider.
    void SliderMoved(float candidate) override;
    void SliderReleased(float value) override;
    float SliderTarget() const override;
    float SliderCurrent() const override;

protected:
    void DrawPanel() override;

private:
    void Commit(float value);
    void RevertSlider();
    void CloseNow();
    bool IsInFront() const;
    void DrawMoneyLine(const char* key, float amount, int y) const;
    void DrawImplementationBar(float implementation);
    void DrawSliderLabels() const;
    void DrawDescription(const Rect& page) const;
    void DrawEffects(const Rect& page) const;

    Policy* policy_;
    float openingValue_;
    bool cancelRequested_ = false;
    int settledTurn_ = -1;
    float scale_;
    GUISlider slider_;
    std::unique_ptr<GUI_TabContainer> tabs_;
    GUI_Button* cancel_ = nullptr;
    GUI_Button* close_ = nullptr;
    GUI_Tooltip implementationTooltip_;
};
