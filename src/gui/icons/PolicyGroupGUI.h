// The map companion of one policy group: its wedge of the screen, the icons
// of its policies in force and active situations, and its label on the ring
// round the centre, coloured by how popular the group's policies are.
#pragma once

#include "gui/icons/IconsList.h"
#include "gui/icons/RotatedSprite.h"

class PolicyGroup;

class PolicyGroupGUI {
public:
    static constexpr const char* kLabelTexture = "gui_group_labels.dds";

    explicit PolicyGroupGUI(PolicyGroup* group);

    // Brings the icons in line with the group: an icon for each policy in
    // force and each active situation of the group, new ones after the old,
    // in the order the group lists them. True when any came or went.
    bool Synchronise();
    // The wedge for the screen, and every icon placed in it again with the
    // group's own stream of the layout seed.
    void Arrange(const MapMetrics& metrics, IconPlacer& placer, std::uint32_t seed);
    void DrawLabel(const MapMetrics& metrics, int turnNumber);

    PolicyGroup* Group() const { return group_; }
    IconsList& Icons() { return icons_; }
    const Wedge& Area() const { return wedge_; }

private:
    PolicyGroup* group_;
    IconsList icons_;
    Wedge wedge_;
    RotatedSprite label_;
};
