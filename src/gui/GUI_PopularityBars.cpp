// Approval and voting-intention bars.
#include "gui/GUI_PopularityBars.h"

#include <algorithm>
#include <cmath>
#include <string>

#include "aids/InterfacePermissions.h"
#include "engine/D3DEngine.h"
#include "engine/Skin.h"
#include "engine/StyleSheet.h"
#include "gui/GUI_BaseElement.h"
#include "gui/GUI_ModalHolder.h"
#include "gui/GuiText.h"
#include "gui/InfoWindows.h"
#include "gui/icons/IconDrawing.h"
#include "politics/Polls.h"
#include "world/StringTable.h"

namespace {
constexpr float kWidth = 220.0f;
constexpr float kMargin = 24.0f;
constexpr const char* kTitleKeys[2] = {"GUI_POPULARITY", "GUI_VOTINGINTENT"};
}  // namespace

Rect GUI_PopularityBars::TrackRect(int bar, int screenWidth, int screenHeight, float scale) {
    const int width = int(kWidth * scale);
    const int left =
        bar == kApproval ? int(kMargin * scale) : screenWidth - int(kMargin * scale) - width;
    const int bottom = screenHeight - int(22.0f * scale);
    return Rect{left, bottom - int(12.0f * scale), left + width, bottom};
}

Rect GUI_PopularityBars::BlockRect(int bar, int screenWidth, int screenHeight, float scale) {
    Rect block = TrackRect(bar, screenWidth, screenHeight, scale);
    block.top -= int(24.0f * scale);
    return block;
}

float GUI_PopularityBars::BarValue(int bar) {
    const Polls& polls = Polls::Instance();
    return std::clamp(bar == kApproval ? polls.Approval() : polls.PotentialVote(), 0.0f, 1.0f);
}

void GUI_PopularityBars::Draw(int screenWidth, int screenHeight, float scale, float mouseX,
                              float mouseY) {
    D3DEngine& engine = D3DEngine::Instance();
    for (int bar : {kApproval, kVotingIntention}) {
        const Rect track = TrackRect(bar, screenWidth, screenHeight, scale);
        const bool hovered =
            RectContains(BlockRect(bar, screenWidth, screenHeight, scale), mouseX, mouseY);
        const float value = BarValue(bar);
        FillBlitted(track, Skin::Instance().Get(Skin::COL_POPTRACK));
        const int filled = track.left + int(value * float(track.right - track.left));
        FillBlitted(Rect{track.left, track.top, filled, track.bottom},
                    Skin::Instance().PopularityColour(value, hovered));
        // The half-way mark: above it a government wins.
        const int half = (track.left + track.right) / 2;
        engine.FillRect(Rect{half, track.top - int(3.0f * scale), half + std::max(1, int(scale)),
                             track.bottom + int(3.0f * scale)},
                        Skin::Instance().Get(Skin::COL_PAPER));
        engine.DrawRectOutline(track, Skin::Instance().Get(Skin::COL_POPTRACKEDGE));
        const float labelTop = float(track.top) - 22.0f * scale;
        const std::string percent = std::to_string(int(std::lround(value * 100.0f))) + "%";
        DrawStyledText(StyleSheet::kApproval, float(track.left), labelTop,
                       GetString(kTitleKeys[bar]), 0.0f, GdiText::kLeft,
                       Skin::Instance().Get(Skin::COL_PAPER));
        DrawStyledText(StyleSheet::kApproval, float(track.left), labelTop, percent,
                       float(track.right - track.left), GdiText::kRight,
                       Skin::Instance().Get(Skin::COL_PAPER));
    }
}

bool GUI_PopularityBars::OnClick(float x, float y, int screenWidth, int screenHeight, float scale) {
    for (int bar : {kApproval, kVotingIntention}) {
        if (!RectContains(BlockRect(bar, screenWidth, screenHeight, scale), x, y)) continue;
        GUI_ModalHolder::Instance().PlayClickSound();
        if (InterfacePermissions::Instance().IsEnabled(InterfacePermissions::kApprovalDetails))
            bar == kApproval ? OpenApprovalDetails() : OpenVotingIntentionDetails();
        return true;
    }
    return false;
}
