// A voter group on the map: a small dark strip in the central grid with the
// group's name, a bar of its approval, a row of figures for its size and an
// arrow when its mood moved sharply since the last turn.
#pragma once

#include <string>

#include "gui/icons/GUI_IconBase.h"

class VoterGroupGrid;
class VoterType;

class GUI_peopleStrip : public GUI_IconBase {
public:
    static constexpr float kWidth = 100.0f;
    static constexpr float kHeight = 28.0f;
    static constexpr int kMaxFigures = 10;
    // A change of approval since the last turn larger than this shows an arrow.
    static constexpr float kTrendThreshold = 0.1f;

    // Takes the first free place of the grid; a full grid is fatal.
    GUI_peopleStrip(VoterType* group, VoterGroupGrid& grid);

    // Takes a place afresh (after the screen size changed).
    void Place(VoterGroupGrid& grid);
    int ShowFlag() const override;
    void Refresh() override;
    void Draw() override;
    void Activate() override;
    bool ShowsWholeName() const override;

    VoterType* Group() const { return group_; }
    const std::string& Label() const { return label_; }
    // The group's mood, 0..1, and its change since the last turn.
    float Approval() const;
    float ApprovalChange() const;
    // How many figures stand for the group's share of the population.
    static int FigureCount(float share);

private:
    void DrawFigures(float alpha) const;
    void DrawTrendArrow() const;

    VoterType* group_;
    std::string label_;
    int labelWidth_ = 0;
    int labelSize_ = 12;
};
