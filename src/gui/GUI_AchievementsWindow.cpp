// The achievements window.
#include "gui/GUI_AchievementsWindow.h"

#include <algorithm>

#include "aids/Achievements.h"
#include "core/TextUtilities.h"
#include "engine/D3DEngine.h"
#include "engine/StyleSheet.h"
#include "world/StringTable.h"

namespace {
constexpr float kWidth = 520.0f;
constexpr float kLeft = 30.0f;
constexpr float kTop = 52.0f;
constexpr float kRow = 40.0f;
constexpr float kIcon = 32.0f;
constexpr float kRecordRow = 22.0f;
}  // namespace

GUI_AchievementsWindow::GUI_AchievementsWindow()
    : GUI_InfoWindow(
          GetString("ACHIEVEMENTS"), kWidth,
          kTop + float(Achievements::kCount) * kRow + 16.0f + 3.0f * kRecordRow + 24.0f) {
    const Achievements& records = Achievements::Instance();
    records_.push_back(GetString("ACHIEVEMENT_ELECTIONWINS") + ": " +
                       std::to_string(records.MostReelections()));
    records_.push_back(FormatText("%s: %.2f%%", GetString("ACHIEVEMENT_TOPELECTIONWIN").c_str(),
                                  double(records.HighestElectionVote() * 100.0f)));
    records_.push_back(FormatText("%s: %.2f%%", GetString("ACHIEVEMENT_PEAKPOLLING").c_str(),
                                  double(records.HighestPopularity() * 100.0f)));
}

void GUI_AchievementsWindow::DrawContent() {
    const Achievements& records = Achievements::Instance();
    D3DEngine& engine = D3DEngine::Instance();
    GdiText& gdi = GdiText::Instance();
    float y = kTop;
    for (int i = 0; i < Achievements::kCount; ++i, y += kRow) {
        const bool held = records.IsHeld(i);
        engine.SetTexture(held ? "gui_icon_award_2.dds" : "gui_icon_award.dds");
        Sprite icon;
        icon.SetSize(Px(kIcon), Px(kIcon));
        icon.SetPosition(X(kLeft + kIcon / 2.0f), Y(y + kIcon / 2.0f));
        icon.SetColour(held ? kUntinted : WithAlpha(kUntinted, 128));
        icon.Draw();
        // Names in the face the records screen has always used.
        gdi.BeginGdiText();
        gdi.SelectFont("arial", std::max(12, int(Px(16.0f))));
        const std::uint32_t colour = held ? info_colour::kInk : info_colour::kMutedText;
        gdi.SetTextColour(int(colour >> 16 & 0xFF), int(colour >> 8 & 0xFF), int(colour & 0xFF));
        gdi.DrawGdiText(X(kLeft + kIcon + 16.0f), Y(y + 7.0f),
                        GetString(Achievements::Keys(i).name), 0.0f);
        gdi.EndGdiText();
    }
    Rule(y + 4.0f);
    y += 16.0f;
    for (const std::string& record : records_) {
        Text(StyleSheet::kApproval, kLeft, y, record);
        y += kRecordRow;
    }
}
