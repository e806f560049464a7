// The map of the main game screen: a strip per voter group, a bar per
// simulation value and, per policy group, the icons of its policies in force
// and its active situations, kept in line with the game and drawn each frame
// with their highlight, fade and connector lines.
#pragma once

#include <array>
#include <cstdint>
#include <memory>
#include <vector>

#include "gui/icons/GUI_SimulationBars.h"
#include "gui/icons/GUI_peopleStrip.h"
#include "gui/icons/PolicyGroupGUI.h"
#include "gui/icons/VoterGroupGrid.h"

class MainScreenMap {
public:
    static constexpr int kGroupCount = 7;

    MainScreenMap();
    ~MainScreenMap();
    MainScreenMap(const MainScreenMap&) = delete;
    MainScreenMap& operator=(const MainScreenMap&) = delete;

    // The panels round the map, which icons keep off, and the seed of their
    // layout (the game's); when either changes the next `Synchronise` lays
    // every icon out afresh.
    void SetSurroundings(std::vector<Rect> panels, std::uint32_t seed);

    // Adds and removes icons so that they match the game on this screen; a
    // new screen size lays everything out afresh, a group whose icons came
    // or went is laid out again round the others. The lines are rebuilt
    // when anything changed. Returns whether anything did.
    bool Synchronise(const MapMetrics& metrics);
    // Every icon's lines afresh (after a turn or a load, and whenever an icon
    // came or went).
    void RebuildConnectors();
    // Grid, bars and wedges laid out again for the screen.
    void RefreshLayout(const MapMetrics& metrics);
    // Deletes every icon.
    void Clear();

    // The frame: fade, unhighlight, hover tests, lines, icons, their names
    // and their tooltips.
    void UpdateMapIcons();
    void DrawGroupLabels(int turnNumber);
    // Offers the click to the icons from the topmost down, the order the
    // pointer's hover goes by; true when one took it.
    bool OnClick(float x, float y);
    // What icons keep clear of on this screen.
    MapObstacles Obstacles() const;

    const MapMetrics& Metrics() const { return metrics_; }
    PolicyGroupGUI& GroupGUI(int index) { return *groups_[size_t(index)]; }
    const std::vector<std::unique_ptr<GUI_peopleStrip>>& Strips() const { return strips_; }
    const std::vector<std::unique_ptr<GUI_SimulationBars>>& Bars() const { return bars_; }
    VoterGroupGrid& Grid() { return grid_; }

private:
    bool SynchroniseStrips();
    bool SynchroniseBars();
    // Lays out the flagged groups in order, round the icons of the others.
    void ArrangeGroups(const std::array<bool, kGroupCount>& which);

    std::array<std::unique_ptr<PolicyGroupGUI>, kGroupCount> groups_;
    std::vector<std::unique_ptr<GUI_peopleStrip>> strips_;
    std::vector<std::unique_ptr<GUI_SimulationBars>> bars_;
    VoterGroupGrid grid_;
    MapMetrics metrics_;
    std::vector<Rect> panels_;
    std::uint32_t seed_ = 0;
    bool surroundingsChanged_ = false;
    bool laidOut_ = false;
};
