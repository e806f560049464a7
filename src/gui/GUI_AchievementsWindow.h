// The player's records across all games: the seven achievements, lit when
// held, and the three personal bests.
#pragma once

#include <string>
#include <vector>

#include "gui/GUI_InfoWindow.h"

class GUI_AchievementsWindow : public GUI_InfoWindow {
public:
    GUI_AchievementsWindow();
    // "label: 3", "label: 61.20%": the three records.
    const std::vector<std::string>& Records() const { return records_; }

protected:
    void DrawContent() override;

private:
    std::vector<std::string> records_;
};
