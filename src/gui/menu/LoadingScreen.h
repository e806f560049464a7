// The progress display of long operations (a new game, a turn): a quotation
// from the backdrops, a bar and the current step's label, then "click to
// continue" once the work is done.
#pragma once

#include <string>
#include <string_view>

#include "gui/GuiScreen.h"

class LoadingScreen : public GuiScreen {
public:
    // Makes this screen the loading-progress handler for as long as it lives.
    LoadingScreen();
    ~LoadingScreen() override;

    // A progress report: shows the label and fraction and draws one frame.
    void Report(std::string_view label, float progress);
    void MouseClick(int x, int y) override;

    // The fraction wraps past 1, as long turns run on across the bar.
    static float BarFraction(float progress);
    const std::string& Label() const { return label_; }
    float Progress() const { return progress_; }
    bool IsFinished() const;

protected:
    void DrawBackground() override;

private:
    // The current backdrop's text and attribution, between top and bottom.
    void DrawBackdrop(float left, float top, float width, float bottom);

    std::string label_;
    float progress_ = 0.0f;
};
