// Label room on the map's bars and strips.
#include "core/LabelRoom.h"

#include <algorithm>
#include <cmath>

namespace {

float Fit(int screenWidth, int screenHeight) {
    return std::min(float(screenWidth) / 1024.0f, float(screenHeight) / 768.0f);
}

}  // namespace

int MapLabelSize(int screenWidth, int screenHeight) {
    return std::max(12, int(std::lround(12.0f * Fit(screenWidth, screenHeight))));
}

LabelRoom ValueBarLabelRoom(int valueCount, int screenWidth, int screenHeight) {
    const int perRow = std::max(1, (valueCount + 1) / 2);
    // The bar's frame is inset 2 pixels a side, and the text keeps a pixel
    // clear of the frame.
    const int width = screenWidth / perRow - 6;
    return {kValueBarFace, MapLabelSize(screenWidth, screenHeight), std::max(width, 0)};
}

LabelRoom VoterStripLabelRoom(int screenWidth, int screenHeight) {
    const float fit = Fit(screenWidth, screenHeight);
    // A strip is 100 pixels wide at 1024 x 768 (a pixel less where its edge
    // falls between pixels); 12 a side stay free for the trend arrows.
    const int width = int(100.0f * fit) - 1 - int(std::ceil(24.0f * fit));
    return {kVoterStripFace, MapLabelSize(screenWidth, screenHeight), std::max(width, 0)};
}
