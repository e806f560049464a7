// The named colours of "data/skins.ini": every colour the interface draws
// that is not a text style's, so a skin restyles the whole game without a
// rebuild.
#pragma once

#include <array>
#include <cstdint>
#include <string_view>

#include "platform/FileSystem.h"

class Skin {
public:
    enum Colour {
        // The ten colours every skin has always named.
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
        // The palette the screens share.
        COL_INK,
        COL_PAPER,
        COL_SLATE,
        COL_MUTED,
        COL_MUTEDTEXT,
        COL_ACCENT,
        COL_GOOD,
        COL_BAD,
        COL_MIDDLING,
        COL_GOODTEXT,
        COL_BADTEXT,
        COL_ERRORTEXT,
        COL_BACKDROP,
        COL_SHADOW,
        COL_GROUP1,
        COL_GROUP2,
        COL_GROUP3,
        COL_GROUP4,
        COL_GROUP5,
        COL_GROUP6,
        COL_GROUP7,
        COL_GROUP1SHADE,
        COL_GROUP2SHADE,
        COL_GROUP3SHADE,
        COL_GROUP4SHADE,
        COL_GROUP5SHADE,
        COL_GROUP6SHADE,
        COL_GROUP7SHADE,
        // Menu screens.
        COL_MENUMUTEDTEXT,
        COL_VERSIONTEXT,
        COL_NOPICTURE,
        COL_MISSIONBUTTON,
        COL_MISSIONBUTTONLIT,
        COL_CHECKMARK,
        COL_TEXTFIELD,
        COL_PROGRESSTRACK,
        COL_PROGRESSTEXT,
        COL_LOADINGTEXT,
        COL_QUOTERULE,
        // Windows, charts and lists.
        COL_MODALDIM,
        COL_MENUDIM,
        COL_RULE,
        COL_CHARTBACK,
        COL_CHARTOTHER,
        COL_SIGNEDTRACK,
        COL_BARTRACK,
        COL_BAREDGE,
        COL_APPROVALLINE,
        COL_GRAPHLINE,
        COL_OPINIONCHIP,
        COL_OPINIONBAD,
        COL_OPINIONGOOD,
        COL_LISTPAPER,
        COL_LISTHOVER,
        COL_LISTSELECTED,
        COL_LISTRULE,
        COL_LISTOUTLINE,
        COL_TROUGH,
        COL_POLICYMUTEDTEXT,
        // Buttons, tabs, sliders and tooltips.
        COL_BUTTON,
        COL_BUTTONLIT,
        COL_BUTTONEDGE,
        COL_BUTTONEDGELIT,
        COL_BUTTONTEXT,
        COL_BUTTONOFFTEXT,
        COL_FLATBUTTON,
        COL_FLATBUTTONLIT,
        COL_FLATBUTTONOFF,
        COL_FLATBUTTONEDGE,
        COL_FLATBUTTONTEXT,
        COL_FLATBUTTONOFFTEXT,
        COL_TABHIDDEN,
        COL_TABOUTLINE,
        COL_TABTEXT,
        COL_TABTEXTLIT,
        COL_SLIDERTRACK,
        COL_SLIDERKNOB,
        COL_SLIDEROUTLINE,
        COL_SLIDERTOP,
        COL_SLIDERBOTTOM,
        COL_SLIDEREDGE,
        COL_SLIDERTICK,
        COL_SLIDERTICKEDGE,
        COL_SLIDERGHOST,
        COL_SLIDERGHOSTEDGE,
        COL_TOOLTIPSHADOW,
        COL_TOOLTIPEDGE,
        COL_TOOLTIPTEXT,
        // The main screen's panels.
        COL_PANELSTRIP,
        COL_POPTRACK,
        COL_POPTRACKEDGE,
        COL_FINANCEBOX,
        COL_FINANCEBOXEDGE,
        COL_FINANCEBAD,
        COL_FINANCEGOOD,
        COL_ACTIONBAR,
        COL_ACTIONEDGE,
        COL_TIMELINELABEL,
        COL_TIMELINELABELLIGHT,
        COL_TIMELINEPASSED,
        COL_TIMELINEPASSEDEDGE,
        COL_TIMELINELEFT,
        COL_TIMELINELEFTEDGE,
        COL_HIGHLIGHT,
        COL_HIGHLIGHTEDGE,
        // The map of icons.
        COL_CONNECTORSTRONGBAD,
        COL_CONNECTORBAD,
        COL_CONNECTORGOOD,
        COL_CONNECTORSTRONGGOOD,
        COL_CONNECTORNEW,
        COL_LABELBAD,
        COL_LABELGOOD,
        COL_VALUEBAR,
        COL_VALUEBARLIT,
        COL_VALUEBAREDGE,
        COL_VALUETRACK,
        COL_STRIPSHADOW,
        COL_STRIPSHADOWLIT,
        COL_STRIPBAR,
        COL_STRIPBARLIT,
        COL_STRIPEDGE,
        COL_STRIPEDGELIT,
        COL_STRIPFIGURE,
        COL_TRENDUP,
        COL_TRENDDOWN,
        COL_HALOGOOD,
        COL_HALOMIDDLE,
        COL_HALOBAD,
        // The engine's test card.
        COL_CHECKERLIGHT,
        COL_CHECKERDARK,
        COL_CARDTRACK,
        kCount
    };
    // The classic ten come first: a skin without one of them gets it
    // transparent, as it always has, and the loader says so.
    static constexpr int kClassicCount = COL_TABBACK + 1;

    struct Entry {
        Colour colour;
        const char* key;
        // What a skin written before the key existed draws: the colour the
        // interface has always had there. The classic ten have none.
        std::uint32_t fallback;
    };
    // The fallbacks are the colours of the shipped skin, so a skin written
    // before a key existed still draws that part as it always has.
    static constexpr std::array<Entry, kCount> kEntries = {{
        {COL_BOXOUTLINE, "COL_BOXOUTLINE", 0},
        {COL_GRAPHGRID, "COL_GRAPHGRID", 0},
        {COL_GRAPHFRAME, "COL_GRAPHFRAME", 0},
        {COL_YELLOWPOP, "COL_YELLOWPOP", 0},
        {COL_YELLOWPOPHIGH, "COL_YELLOWPOPHIGH", 0},
        {COL_REDPOP, "COL_REDPOP", 0},
        {COL_REDPOPHIGH, "COL_REDPOPHIGH", 0},
        {COL_GREENPOP, "COL_GREENPOP", 0},
        {COL_GREENPOPHIGH, "COL_GREENPOPHIGH", 0},
        {COL_TABBACK, "COL_TABBACK", 0},
        {COL_INK, "COL_INK", 0xFF1B2A41u},
        {COL_PAPER, "COL_PAPER", 0xFFF4F1EAu},
        {COL_SLATE, "COL_SLATE", 0xFF2E3A4Bu},
        {COL_MUTED, "COL_MUTED", 0xFF8A94A3u},
        {COL_MUTEDTEXT, "COL_MUTEDTEXT", 0xFF56606Fu},
        {COL_ACCENT, "COL_ACCENT", 0xFF0072B2u},
        {COL_GOOD, "COL_GOOD", 0xFF009E73u},
        {COL_BAD, "COL_BAD", 0xFFD55E00u},
        {COL_MIDDLING, "COL_MIDDLING", 0xFFE69F00u},
        {COL_GOODTEXT, "COL_GOODTEXT", 0xFF00755Au},
        {COL_BADTEXT, "COL_BADTEXT", 0xFFA34400u},
        {COL_ERRORTEXT, "COL_ERRORTEXT", 0xFFB34700u},
        {COL_BACKDROP, "COL_BACKDROP", 0xFF000000u},
        {COL_SHADOW, "COL_SHADOW", 0x40000000u},
        {COL_GROUP1, "COL_GROUP1", 0xFFE69F00u},
        {COL_GROUP2, "COL_GROUP2", 0xFF56B4E9u},
        {COL_GROUP3, "COL_GROUP3", 0xFF009E73u},
        {COL_GROUP4, "COL_GROUP4", 0xFFF0E442u},
        {COL_GROUP5, "COL_GROUP5", 0xFF0072B2u},
        {COL_GROUP6, "COL_GROUP6", 0xFFD55E00u},
        {COL_GROUP7, "COL_GROUP7", 0xFFCC79A7u},
        {COL_GROUP1SHADE, "COL_GROUP1SHADE", 0xFFA87400u},
        {COL_GROUP2SHADE, "COL_GROUP2SHADE", 0xFF2F86B8u},
        {COL_GROUP3SHADE, "COL_GROUP3SHADE", 0xFF006B4Eu},
        {COL_GROUP4SHADE, "COL_GROUP4SHADE", 0xFFB8AD22u},
        {COL_GROUP5SHADE, "COL_GROUP5SHADE", 0xFF004E7Au},
        {COL_GROUP6SHADE, "COL_GROUP6SHADE", 0xFF9C4400u},
        {COL_GROUP7SHADE, "COL_GROUP7SHADE", 0xFF96557Bu},
        {COL_MENUMUTEDTEXT, "COL_MENUMUTEDTEXT", 0xFF4F5A6Au},
        {COL_VERSIONTEXT, "COL_VERSIONTEXT", 0xFFB8C0CCu},
        {COL_NOPICTURE, "COL_NOPICTURE", 0xFFD9DEE5u},
        {COL_MISSIONBUTTON, "COL_MISSIONBUTTON", 0xFF3B4A5Eu},
        {COL_MISSIONBUTTONLIT, "COL_MISSIONBUTTONLIT", 0xFF4A5D75u},
        {COL_CHECKMARK, "COL_CHECKMARK", 0xFFE69F00u},
        {COL_TEXTFIELD, "COL_TEXTFIELD", 0xFFFFFFFFu},
        {COL_PROGRESSTRACK, "COL_PROGRESSTRACK", 0xFFE2DED4u},
        {COL_PROGRESSTEXT, "COL_PROGRESSTEXT", 0xFF5E5E5Eu},
        {COL_LOADINGTEXT, "COL_LOADINGTEXT", 0xFF808080u},
        {COL_QUOTERULE, "COL_QUOTERULE", 0xFFD8D2C4u},
        {COL_MODALDIM, "COL_MODALDIM", 0x50000000u},
        {COL_MENUDIM, "COL_MENUDIM", 0xC0000000u},
        {COL_RULE, "COL_RULE", 0x608A94A3u},
        {COL_CHARTBACK, "COL_CHARTBACK", 0xFFFFFFFFu},
        {COL_CHARTOTHER, "COL_CHARTOTHER", 0xFFB8BEC8u},
        {COL_SIGNEDTRACK, "COL_SIGNEDTRACK", 0x208A94A3u},
        {COL_BARTRACK, "COL_BARTRACK", 0x308A94A3u},
        {COL_BAREDGE, "COL_BAREDGE", 0x808A94A3u},
        {COL_APPROVALLINE, "COL_APPROVALLINE", 0xFFCC79A7u},
        {COL_GRAPHLINE, "COL_GRAPHLINE", 0xFFFF2020u},
        {COL_OPINIONCHIP, "COL_OPINIONCHIP", 0xFF0A0F16u},
        {COL_OPINIONBAD, "COL_OPINIONBAD", 0xFFFF0000u},
        {COL_OPINIONGOOD, "COL_OPINIONGOOD", 0xFF00FF00u},
        {COL_LISTPAPER, "COL_LISTPAPER", 0xFFFBFAF7u},
        {COL_LISTHOVER, "COL_LISTHOVER", 0xFFECE8DFu},
        {COL_LISTSELECTED, "COL_LISTSELECTED", 0xFFE3DED3u},
        {COL_LISTRULE, "COL_LISTRULE", 0xFFDDD7CBu},
        {COL_LISTOUTLINE, "COL_LISTOUTLINE", 0xFFB8B2A6u},
        {COL_TROUGH, "COL_TROUGH", 0xFFE3DED3u},
        {COL_POLICYMUTEDTEXT, "COL_POLICYMUTEDTEXT", 0xFF4A5566u},
        {COL_BUTTON, "COL_BUTTON", 0xFF436972u},
        {COL_BUTTONLIT, "COL_BUTTONLIT", 0xFF618790u},
        {COL_BUTTONEDGE, "COL_BUTTONEDGE", 0xFF66848Fu},
        {COL_BUTTONEDGELIT, "COL_BUTTONEDGELIT", 0xFF84A2ADu},
        {COL_BUTTONTEXT, "COL_BUTTONTEXT", 0xFFE0E0E0u},
        {COL_BUTTONOFFTEXT, "COL_BUTTONOFFTEXT", 0xFF000000u},
        {COL_FLATBUTTON, "COL_FLATBUTTON", 0xFF0C0C5Cu},
        {COL_FLATBUTTONLIT, "COL_FLATBUTTONLIT", 0xFF000000u},
        {COL_FLATBUTTONOFF, "COL_FLATBUTTONOFF", 0xFF0C0C48u},
        {COL_FLATBUTTONEDGE, "COL_FLATBUTTONEDGE", 0xFFC0C0C0u},
        {COL_FLATBUTTONTEXT, "COL_FLATBUTTONTEXT", 0xFFF4F1EAu},
        {COL_FLATBUTTONOFFTEXT, "COL_FLATBUTTONOFFTEXT", 0xFF404040u},
        {COL_TABHIDDEN, "COL_TABHIDDEN", 0xFF202020u},
        {COL_TABOUTLINE, "COL_TABOUTLINE", 0xFF808080u},
        {COL_TABTEXT, "COL_TABTEXT", 0xFFC8CCD2u},
        {COL_TABTEXTLIT, "COL_TABTEXTLIT", 0xFFFFFFFFu},
        {COL_SLIDERTRACK, "COL_SLIDERTRACK", 0xFF808080u},
        {COL_SLIDERKNOB, "COL_SLIDERKNOB", 0xFFC0C0C0u},
        {COL_SLIDEROUTLINE, "COL_SLIDEROUTLINE", 0xFF404040u},
        {COL_SLIDERTOP, "COL_SLIDERTOP", 0xFFB3C3D4u},
        {COL_SLIDERBOTTOM, "COL_SLIDERBOTTOM", 0xFF0C0C0Cu},
        {COL_SLIDEREDGE, "COL_SLIDEREDGE", 0xFFE0E0E0u},
        {COL_SLIDERTICK, "COL_SLIDERTICK", 0xC0E0E0E0u},
        {COL_SLIDERTICKEDGE, "COL_SLIDERTICKEDGE", 0xC0000000u},
        {COL_SLIDERGHOST, "COL_SLIDERGHOST", 0x80A6A6A6u},
        {COL_SLIDERGHOSTEDGE, "COL_SLIDERGHOSTEDGE", 0x80000000u},
        {COL_TOOLTIPSHADOW, "COL_TOOLTIPSHADOW", 0xC0202080u},
        {COL_TOOLTIPEDGE, "COL_TOOLTIPEDGE", 0xFFFFFFFFu},
        {COL_TOOLTIPTEXT, "COL_TOOLTIPTEXT", 0xFFFFFFFFu},
        {COL_PANELSTRIP, "COL_PANELSTRIP", 0x802E3A4Bu},
        {COL_POPTRACK, "COL_POPTRACK", 0x40F4F1EAu},
        {COL_POPTRACKEDGE, "COL_POPTRACKEDGE", 0x80F4F1EAu},
        {COL_FINANCEBOX, "COL_FINANCEBOX", 0xCD000000u},
        {COL_FINANCEBOXEDGE, "COL_FINANCEBOXEDGE", 0xCDC0C0C0u},
        {COL_FINANCEBAD, "COL_FINANCEBAD", 0xFFFF1010u},
        {COL_FINANCEGOOD, "COL_FINANCEGOOD", 0xFF10FF10u},
        {COL_ACTIONBAR, "COL_ACTIONBAR", 0xFF000000u},
        {COL_ACTIONEDGE, "COL_ACTIONEDGE", 0xFFE0E0E0u},
        {COL_TIMELINELABEL, "COL_TIMELINELABEL", 0xFF000000u},
        {COL_TIMELINELABELLIGHT, "COL_TIMELINELABELLIGHT", 0xFFFFFFFFu},
        {COL_TIMELINEPASSED, "COL_TIMELINEPASSED", 0xFF531010u},
        {COL_TIMELINEPASSEDEDGE, "COL_TIMELINEPASSEDEDGE", 0xFFA62020u},
        {COL_TIMELINELEFT, "COL_TIMELINELEFT", 0xFF105310u},
        {COL_TIMELINELEFTEDGE, "COL_TIMELINELEFTEDGE", 0xFF20A620u},
        {COL_HIGHLIGHT, "COL_HIGHLIGHT", 0xFFF0E442u},
        {COL_HIGHLIGHTEDGE, "COL_HIGHLIGHTEDGE", 0xC01B2A41u},
        {COL_CONNECTORSTRONGBAD, "COL_CONNECTORSTRONGBAD", 0xA6FF1010u},
        {COL_CONNECTORBAD, "COL_CONNECTORBAD", 0x80FF2020u},
        {COL_CONNECTORGOOD, "COL_CONNECTORGOOD", 0x8022FF6Cu},
        {COL_CONNECTORSTRONGGOOD, "COL_CONNECTORSTRONGGOOD", 0xA620FF20u},
        {COL_CONNECTORNEW, "COL_CONNECTORNEW", 0x80808080u},
        {COL_LABELBAD, "COL_LABELBAD", 0xFFF2A06Bu},
        {COL_LABELGOOD, "COL_LABELGOOD", 0xFF5FD3AAu},
        {COL_VALUEBAR, "COL_VALUEBAR", 0xFF060606u},
        {COL_VALUEBARLIT, "COL_VALUEBARLIT", 0xFF808080u},
        {COL_VALUEBAREDGE, "COL_VALUEBAREDGE", 0xFFC0C0C0u},
        {COL_VALUETRACK, "COL_VALUETRACK", 0x40F4F1EAu},
        {COL_STRIPSHADOW, "COL_STRIPSHADOW", 0xFF000000u},
        {COL_STRIPSHADOWLIT, "COL_STRIPSHADOWLIT", 0xFF202020u},
        {COL_STRIPBAR, "COL_STRIPBAR", 0x809E9E9Eu},
        {COL_STRIPBARLIT, "COL_STRIPBARLIT", 0x80ACACACu},
        {COL_STRIPEDGE, "COL_STRIPEDGE", 0xFFC0C0C0u},
        {COL_STRIPEDGELIT, "COL_STRIPEDGELIT", 0xFFFFFFFFu},
        {COL_STRIPFIGURE, "COL_STRIPFIGURE", 0xFFC0C0C0u},
        {COL_TRENDUP, "COL_TRENDUP", 0xE006C006u},
        {COL_TRENDDOWN, "COL_TRENDDOWN", 0xE0C00606u},
        {COL_HALOGOOD, "COL_HALOGOOD", 0xFF00FF00u},
        {COL_HALOMIDDLE, "COL_HALOMIDDLE", 0xFFFFFF00u},
        {COL_HALOBAD, "COL_HALOBAD", 0xFFFF0000u},
        {COL_CHECKERLIGHT, "COL_CHECKERLIGHT", 0xFFFFFFFFu},
        {COL_CHECKERDARK, "COL_CHECKERDARK", 0xFFD0D4DAu},
        {COL_CARDTRACK, "COL_CARDTRACK", 0x338A94A3u},
    }};
    static const char* KeyName(Colour colour) { return kEntries[size_t(colour)].key; }
    // The entry for a key as written in the file (any case), or none.
    static const Entry* FindEntry(std::string_view key) {
        for (const Entry& entry : kEntries) {
            if (platform::EqualsIgnoringCase(key, entry.key)) return &entry;
        }
        return nullptr;
    }

    static Skin& Instance();

    // Each colour is "red,green,blue,alpha" in section "default". A missing
    // classic key or field reads as 0 (so transparent) and is reported as a
    // data warning; a missing newer key keeps its fallback.
    void Load(std::string_view path = "data/skins.ini");
    std::uint32_t Get(Colour colour) const { return colours_[size_t(colour)]; }

    // The bar fill for a value in 0..1: red below 0.33, yellow below 0.66, else green.
    std::uint32_t PopularityColour(float value, bool highlighted) const;
    // The policy groups' colours in index order; muted grey outside the seven.
    static constexpr int kGroupCount = 7;
    std::uint32_t GroupColour(int groupIndex) const;

    static std::uint32_t ParseColour(std::string_view text);

private:
    Skin();
    std::array<std::uint32_t, kCount> colours_{};
};

namespace skin_detail {
constexpr bool EntriesFollowTheEnum() {
    for (int i = 0; i < Skin::kCount; ++i) {
        if (Skin::kEntries[size_t(i)].colour != i) return false;
    }
    return true;
}
static_assert(EntriesFollowTheEnum(), "one skin entry per colour, in the enum's order");
}  // namespace skin_detail

// A skin colour named once where drawing code keeps its colours; it reads the
// loaded skin each time it is used, so a new skin restyles what it names.
struct SkinColour {
    Skin::Colour colour;
    operator std::uint32_t() const { return Skin::Instance().Get(colour); }
};

// The colour with its alpha scaled by `fade` (0..1), for what the interface
// fades in and out: the skin's alpha is the colour's at full strength.
constexpr std::uint32_t FadedColour(std::uint32_t colour, float fade) {
    return std::uint32_t(float(colour >> 24) * fade) << 24 | (colour & 0x00FFFFFFu);
}
// The colour with its alpha replaced, for what pulses by its own rule.
constexpr std::uint32_t WithAlpha(std::uint32_t colour, std::uint32_t alpha) {
    return alpha << 24 | (colour & 0x00FFFFFFu);
}
