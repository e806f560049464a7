// The small labels of the map (voter-group names, value names): their faces,
// their size at the screen's scale, and names cut to the room they have.
#pragma once

#include <string>
#include <string_view>

#include "engine/Skin.h"
#include "gui/icons/MapGeometry.h"

// Narrow faces, so that most names fit strips and bars a few dozen pixels wide.
constexpr const char* kStripFace = "DejaVu Sans Condensed Bold";
constexpr const char* kValueFace = "Liberation Sans Narrow";
constexpr SkinColour kLabelInk{Skin::COL_PAPER};  // on the dark strips and bars

// 12 pixels at 1024 x 768, growing with the map's centre scale.
int MapLabelSize(const MapMetrics& metrics);

struct FittedLabel {
    std::string text;
    int width = 0;
};
// The text as it fits `maxWidth`: whole, else cut to its leading words, else
// cut with an ellipsis; measured in the face and size given.
FittedLabel FitLabel(std::string_view text, const char* face, int size, int maxWidth);
