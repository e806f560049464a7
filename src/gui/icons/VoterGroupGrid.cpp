// The voter-group grid.
#include "gui/icons/VoterGroupGrid.h"

void VoterGroupGrid::Reset(const MapMetrics& metrics) {
    places_ = {};
    const float k = metrics.fit;
    for (int column = 0; column < kColumns; ++column) {
        for (int row = 0; row < kRows; ++row) {
            Place& place = places_[size_t(column * kRows + row)];
            place.corner = {metrics.CentreX() - 170.0f * k + 120.0f * k * float(column),
                            metrics.CentreY() - 110.0f * k + 32.0f * k * float(row)};
        }
    }
}

std::optional<MapPoint> VoterGroupGrid::TakeFirstFree() {
    for (Place& place : places_) {
        if (place.used) continue;
        place.used = true;
        return place.corner;
    }
    return std::nullopt;
}

int VoterGroupGrid::TakenCount() const {
    int taken = 0;
    for (const Place& place : places_) taken += place.used ? 1 : 0;
    return taken;
}
