// Congratulations on an achievement won for the first time, with fireworks.
#pragma once

#include "gui/GUI_InfoWindow.h"

class GUI_AchievementDialog : public GUI_InfoWindow {
public:
    explicit GUI_AchievementDialog(int index);
    int Index() const { return index_; }

protected:
    void DrawContent() override;

private:
    int index_;
    int frame_ = 0;
    float textHeight_ = 0.0f;
};
