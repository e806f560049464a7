// The election results window.
#include "gui/GUI_ElectionWindow.h"

#include <algorithm>

#include "core/TextUtilities.h"
#include "engine/D3DEngine.h"
#include "engine/Skin.h"
#include "engine/SoundEffects.h"
#include "engine/StyleSheet.h"
#include "gui/GUI_TextButton.h"
#include "gui/InfoDrawing.h"
#include "gui/InfoWindows.h"
#include "politics/ElectionManager.h"
#include "world/Manifesto.h"
#include "world/StringTable.h"

namespace {
constexpr float kWidth = 600.0f;
constexpr float kHeight = 360.0f;
constexpr float kLandslide = 0.7f;

GUI_InfoWindow::Options Modal() {
    GUI_InfoWindow::Options options;
    options.modal = true;
    return options;
}
}  // namespace

std::string GUI_ElectionWindow::ResultLine(const std::string& label, float share) {
    return FormatText("%s:%.2f%%", label.c_str(), double(share * 100.0f));
}

GUI_ElectionWindow::GUI_ElectionWindow(float share, bool manifestoBroken)
    : GUI_InfoWindow(GetString("ELECTION_RESULTS"), kWidth, kHeight, Modal()),
      share_(share),
      manifestoBroken_(manifestoBroken) {
    SoundEffects& sounds = SoundEffects::Instance();
    if (share >= kLandslide) sounds.Play("data/sounds/firework1.ogg", 100);
    sounds.Play(ElectionResultSound(share), 100);
}

void GUI_ElectionWindow::ShowResultButton() {
    if (button_) return;
    if (IsWon(share_)) {
        button_ = Add<GUI_TextButton>(GetString("CONTINUEPRESIDENCY"), [this] {
            // A new term: the next election one interval on, and the promises
            // made for this term in force.
            ElectionManager::Instance().ScheduleNextElection();
            Manifesto::Instance().StartTerm();
            Close();
        });
    } else {
        button_ = Add<GUI_TextButton>(GetString("QUITGAME"), [] { EndGameToMainMenu(); });
    }
    Place(button_, 100.0f, kHeight - 38.0f, kWidth - 100.0f, kHeight - 18.0f);
}

void GUI_ElectionWindow::FinishCounting() {
    counted_ = 1.0f;
    ShowResultButton();
}

bool GUI_ElectionWindow::OnClick(float x, float y) {
    if (!IsVisible() || !Contains(x, y)) return false;
    if (IsCounting()) {
        FinishCounting();
        return true;
    }
    return GUI_InfoWindow::OnClick(x, y);
}

void GUI_ElectionWindow::DrawContent() {
    ++frame_;
    if (IsCounting()) {
        counted_ = std::min(1.0f, counted_ + 1.0f / float(kCountFrames));
        if (!IsCounting()) ShowResultButton();
    }
    const auto [inFavour, against] =
        ElectionManager::Instance().CountForDisplay(counted_, manifestoBroken_);
    const int total = inFavour + against;
    Text(StyleSheet::kHeadline, 40.0f, 56.0f,
         GetString("VOTES_COUNTED") + ": " + FormatText("%.0f%%", double(counted_ * 100.0f)));
    // For the government from the left, against from the right.
    const Rect bar{int(X(40.0f)), int(Y(90.0f)), int(X(kWidth - 40.0f)), int(Y(118.0f))};
    D3DEngine& engine = D3DEngine::Instance();
    engine.FillRect(bar, Skin::Instance().Get(Skin::COL_BARTRACK));
    if (total > 0) {
        const float width = float(bar.right - bar.left) * counted_;
        const int split = bar.left + int(width * float(inFavour) / float(total));
        engine.FillRect(Rect{bar.left, bar.top, split, bar.bottom}, info_colour::kGood);
        engine.FillRect(Rect{split, bar.top, bar.left + int(width), bar.bottom}, info_colour::kBad);
    }
    const int half = (bar.left + bar.right) / 2;
    engine.FillRect(Rect{half, bar.top - 4, half + 2, bar.bottom + 4}, info_colour::kInk);
    Text(StyleSheet::kApproval, 40.0f, 124.0f,
         GetString("VOTES_FOR") + ": " + ThousandsFormat(inFavour));
    Text(StyleSheet::kApproval, 40.0f, 124.0f,
         GetString("VOTES_AGAINST") + ": " + ThousandsFormat(against), kWidth - 80.0f,
         GdiText::kRight);
    if (IsCounting()) return;

    const bool won = IsWon(share_);
    if (share_ >= kLandslide) DrawFireworks(rect_, frame_);
    Text(StyleSheet::kHeadline, 0.0f, 170.0f, ResultLine(GetString("VOTING_RESULT"), share_),
         kWidth, GdiText::kCentre, won ? info_colour::kGoodText : info_colour::kBadText);
    Text(StyleSheet::kParagraph, 60.0f, 210.0f,
         GetString(won ? "ELECTION_SUCCESS" : "ELECTION_FAILURE"), kWidth - 120.0f);
    if (manifestoBroken_)
        Text(StyleSheet::kParagraph, 60.0f, 258.0f, GetString("MANIFESTO_BROKEN"), kWidth - 120.0f,
             GdiText::kLeft, info_colour::kBadText);
}
