// A simulation value on the map: one cell of the two rows of bars along the
// top, with the value's name and a level line coloured by whether the level
// is good or bad for the country.
#pragma once

#include <string>

#include "gui/icons/GUI_IconBase.h"

class Simulation;

class GUI_SimulationBars : public GUI_IconBase {
public:
    static constexpr int kLeftShiftScanCode = 42;

    GUI_SimulationBars(Simulation* value, int index, int count);

    // Its cell of the rows, for `count` values on the current screen.
    void Place(int index, int count);
    int ShowFlag() const override;
    void Refresh() override;
    void Draw() override;
    void Activate() override;
    bool ShowsWholeName() const override;

    Simulation* Value() const { return value_; }
    const std::string& Label() const { return label_; }
    // How good the value's level is, 0..1: the level itself where more is
    // better (the value's flag), otherwise its complement.
    float Goodness() const;
    static std::uint32_t LevelColour(float goodness, float alpha);

private:
    bool IsHovered() const;
    void DrawLevel(float alpha) const;

    Simulation* value_;
    std::string label_;
    int labelWidth_ = 0;
    int labelSize_ = 12;
};
