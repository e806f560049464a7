// The places of the voter-group strips in the middle of the map: three
// columns of seven, filled column by column, and four spare places at the
// origin for groups beyond the twenty-first.
#pragma once

#include <array>
#include <optional>

#include "gui/icons/MapGeometry.h"

class VoterGroupGrid {
public:
    static constexpr int kColumns = 3;
    static constexpr int kRows = 7;
    static constexpr int kPlaces = 25;

    // Every place free, laid out for the screen.
    void Reset(const MapMetrics& metrics);
    // The top-left corner of the first free place, now taken; nothing when
    // all 25 are taken.
    std::optional<MapPoint> TakeFirstFree();
    int TakenCount() const;

private:
    struct Place {
        MapPoint corner;
        bool used = false;
    };
    std::array<Place, kPlaces> places_{};
};
