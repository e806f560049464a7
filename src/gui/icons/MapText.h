// The small labels of the map (voter-group names, value names): their faces,
// their size at the screen's scale, and names fitted to the room they have.
#pragma once

#include <initializer_list>
#include <string>
#include <string_view>

#include "core/LabelRoom.h"
#include "engine/Skin.h"
#include "gui/icons/MapGeometry.h"

constexpr const char* kStripFace = kVoterStripFace;
constexpr const char* kValueFace = kValueBarFace;
constexpr SkinColour kLabelInk{Skin::COL_PAPER};  // on the dark strips and bars

// 12 pixels at 1024 x 768, growing with the map's centre scale.
int MapLabelSize(const MapMetrics& metrics);

struct FittedLabel {
    std::string text;
    int width = 0;
};
// The first of the names (longest first) that fits `room` whole; when none
// does, the last one cut with an ellipsis. Names are never cut at a word,
// which would leave a different word standing ("Prison" for "Prison
// Overcrowding"). Empty names are passed over.
FittedLabel FitLabel(std::initializer_list<std::string_view> names, const LabelRoom& room);
