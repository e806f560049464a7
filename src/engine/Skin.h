// The ten named colours of "data/skins.ini" that panels, graphs and the
// popularity bars read, so the palette changes without a rebuild.
#pragma once

#include <array>
#include <cstdint>
#include <string_view>

class Skin {
public:
    enum Colour {
        COL_BOXOUTLINE,
        COL_GRAPHGRID,
        COL_GRAPHFRAME,
        COL_YELLOWPOP,
        COL_YELLOWPOPHIGH,
        COL_REDPOP,
        COL_REDPOPHIGH,
        COL_GREENPOP,
        COL_GREENPOPHIGH,
        COL_TABBACK,
        kCount
    };
    static constexpr const char* kKeyNames[kCount] = {
        "COL_BOXOUTLINE",    "COL_GRAPHGRID", "COL_GRAPHFRAME", "COL_YELLOWPOP",
        "COL_YELLOWPOPHIGH", "COL_REDPOP",    "COL_REDPOPHIGH", "COL_GREENPOP",
        "COL_GREENPOPHIGH",  "COL_TABBACK"};

    static Skin& Instance();

    // Each colour is "red,green,blue,alpha" in section "default"; missing keys
    // or fields read as 0 (so transparent) and are reported as data warnings.
    void Load(std::string_view path = "data/skins.ini");
    std::uint32_t Get(Colour colour) const { return colours_[size_t(colour)]; }

    // The bar fill for a value in 0..1: red below 0.33, yellow below 0.66, else green.
    std::uint32_t PopularityColour(float value, bool highlighted) const;

    static std::uint32_t ParseColour(std::string_view text);

private:
    Skin() = default;
    std::array<std::uint32_t, kCount> colours_{};
};
