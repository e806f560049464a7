// The row of round buttons along the bottom of the main game screen: the
// player's windows on the left, the next-turn button on the right, which
// stays disabled while a decision waits.
#pragma once

#include <functional>

#include "gui/GUI_Window.h"

class GUI_HoverImageButton;

enum class ControlPanelAction {
    Manifesto,
    Polls,
    NewPolicy,
    Money,
    Congress,
    Options,
    Achievements,
    NextTurn
};

struct ControlPanelButtonEntry {
    ControlPanelAction action;
    const char* normal;
    const char* hover;
    const char* tooltipKey;
    bool congressOnly;
};

class GUI_ControlPanel : public GUI_Window {
public:
    static constexpr float kButtonSize = 50.0f;
    static constexpr float kBottomMargin = 20.0f;

    // `withCongress` adds the congress button (only the congress model has one).
    GUI_ControlPanel(std::function<void(ControlPanelAction)> handler, bool withCongress);

    // Centred along the bottom edge at the interface scale.
    void Layout(int screenWidth, int screenHeight, float interfaceScale);
    // Where a row of that many buttons stands on such a screen.
    static Rect PanelRect(int buttonCount, int screenWidth, int screenHeight,
                          float interfaceScale);
    int ButtonCount() const { return int(actions_.size()); }
    // The next-turn rule, applied before every draw.
    void RefreshNextTurn(bool blocked);
    void Draw() override;

    void SetInterfaceHidden(bool hidden) { interfaceHidden_ = hidden; }
    GUI_HoverImageButton* NextTurnButton() const { return nextTurn_; }
    GUI_HoverImageButton* ButtonFor(ControlPanelAction action) const;

    static const std::vector<ControlPanelButtonEntry>& ButtonTable();

private:
    std::vector<ControlPanelAction> actions_;
    GUI_HoverImageButton* nextTurn_ = nullptr;
    bool interfaceHidden_ = false;
};

// A turn may not end while a decision waits (unless the player chose to
// ignore dilemmas), a modal dialog is open or the guided tour runs.
bool NextTurnBlocked();
