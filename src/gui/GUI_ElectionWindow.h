// The election results: the votes counted before the player's eyes, then the
// share won and the verdict. A won election begins a new term when the
// window is closed; a lost one ends the game.
#pragma once

#include <string>

#include "gui/GUI_InfoWindow.h"

class GUI_ElectionWindow : public GUI_InfoWindow {
public:
    // Frames the count takes to reach the last vote.
    static constexpr int kCountFrames = 120;

    // Plays the crowd for the share (and fireworks for a landslide).
    GUI_ElectionWindow(float share, bool manifestoBroken);

    // "label:53.20%".
    static std::string ResultLine(const std::string& label, float share);
    // A share of one half or more keeps the government in office.
    static bool IsWon(float share) { return share >= 0.5f; }

    // A click inside while the votes are counted shows the result at once.
    bool OnClick(float x, float y) override;
    void FinishCounting();
    bool IsCounting() const { return counted_ < 1.0f; }
    float Share() const { return share_; }
    GUI_Button* ResultButton() const { return button_; }

protected:
    void DrawContent() override;

private:
    void ShowResultButton();

    float share_;
    bool manifestoBroken_;
    float counted_ = 0.0f;
    int frame_ = 0;
    GUI_Button* button_ = nullptr;
};
