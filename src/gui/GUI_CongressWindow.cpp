// The congress window and the midterm results.
#include "gui/GUI_CongressWindow.h"

#include "core/TextUtilities.h"
#include "engine/StyleSheet.h"
#include "gui/GUI_TextButton.h"
#include "gui/InfoDrawing.h"
#include "politics/USCongress.h"
#include "world/StringTable.h"

namespace {
constexpr float kWidth = 560.0f;
constexpr float kHeight = 370.0f;
constexpr int kLowerMajority = 218;
constexpr int kUpperMajority = 50;

GUI_InfoWindow::Options OptionsFor(GUI_CongressWindow::Mode mode) {
    GUI_InfoWindow::Options options;
    options.modal = mode == GUI_CongressWindow::Mode::MidtermResults;
    return options;
}
}  // namespace

std::string GUI_CongressWindow::HouseLine(const std::string& label, int held) {
    return FormatText("%s ( %d/435)", label.c_str(), held);
}

std::string GUI_CongressWindow::SenateLine(const std::string& label, int held) {
    return FormatText("%s ( %d/100)", label.c_str(), held);
}

GUI_CongressWindow::GUI_CongressWindow(Mode mode)
    : GUI_InfoWindow(GetString(mode == Mode::MidtermResults ? "MIDTERM_ELECTIONS" : "US_CONGRESS"),
                     kWidth, mode == Mode::MidtermResults ? kHeight : kHeight - 70.0f,
                     OptionsFor(mode)),
      mode_(mode) {
    if (mode != Mode::MidtermResults) return;
    continue_ = Add<GUI_TextButton>(GetString("GUI_CONTINUE"), [this] { Close(); });
    Place(continue_, kWidth / 2.0f - 90.0f, kHeight - 56.0f, kWidth / 2.0f + 90.0f,
          kHeight - 20.0f);
}

void GUI_CongressWindow::DrawContent() {
    const USCongress& congress = USCongress::Instance();
    float y = 50.0f;
    if (mode_ == Mode::MidtermResults) {
        Text(StyleSheet::kHeadline, 0.0f, y, GetString("US_CONGRESS"), kWidth, GdiText::kCentre);
        y += 36.0f;
    }
    struct House {
        std::string line;
        int held, total, needed;
        bool controlled;
        const char* controlKey;
        const char* lostKey;
    };
    const House houses[2] = {
        {HouseLine(GetString("MIDTERMS_HOUSE"), congress.LowerSeatsHeld()),
         congress.LowerSeatsHeld(), USCongress::kLowerSeats, kLowerMajority,
         congress.HoldsLowerHouse(), "MIDTERMS_CONTROLHOUSE", "MIDTERMS_NOCONTROLHOUSE"},
        {SenateLine(GetString("MIDTERMS_SENATE"), congress.UpperSeatsHeld()),
         congress.UpperSeatsHeld(), USCongress::kUpperSeats, kUpperMajority,
         congress.HoldsUpperHouse(), "MIDTERMS_CONTROLSENATE", "MIDTERMS_NOCONTROLSENATE"}};
    for (const House& house : houses) {
        Text(StyleSheet::kButtonText, 0.0f, y, house.line, kWidth, GdiText::kCentre);
        DrawSeatBar(
            Rect{int(X(60.0f)), int(Y(y + 26.0f)), int(X(kWidth - 60.0f)), int(Y(y + 38.0f))},
            house.held, house.total, house.needed);
        const float size = 18.0f;
        if (house.controlled)
            DrawTick(X(40.0f), Y(y + 50.0f), Px(size), info_colour::kGood);
        else
            DrawCross(X(40.0f), Y(y + 50.0f), Px(size), info_colour::kBad);
        Text(StyleSheet::kApproval, 64.0f, y + 50.0f,
             GetString(house.controlled ? house.controlKey : house.lostKey), kWidth - 100.0f);
        y += 124.0f;
    }
}
