// The start dialog.
#include "gui/GUI_StartDialog.h"

#include <algorithm>

#include "core/TextUtilities.h"
#include "engine/D3DEngine.h"
#include "engine/StyleSheet.h"
#include "gui/GUI_TextButton.h"
#include "gui/menu/MenuListings.h"
#include "politics/ElectionManager.h"
#include "simulation/Mission.h"
#include "world/Calendar.h"
#include "world/StringTable.h"

namespace {
constexpr float kWidth = 600.0f;
constexpr float kLeft = 30.0f;
constexpr float kTop = 54.0f;
constexpr float kFlagWidth = 120.0f;
constexpr float kFlagHeight = 80.0f;
constexpr float kTextLeft = kLeft + kFlagWidth + 20.0f;
constexpr float kTextWidth = kWidth - kTextLeft - kLeft;
constexpr float kMaxHeight = 560.0f;
}  // namespace

GUI_StartDialog::GUI_StartDialog()
    : GUI_InfoWindow(CountryDisplayName(Mission::Instance().Path(), Mission::Instance().Name()),
                     kWidth, 300.0f),
      message_(Mission::Instance().StartMessage()) {
    if (!Mission::Instance().Flag().empty()) flag_ = "flag_" + Mission::Instance().Flag() + ".dds";
    Calendar& calendar = Calendar::Instance();
    facts_ = FormatString(
        "STARTDIALOG_FACTS",
        FormatText("MONTH=%s,YEAR=%d,MONTHS=%d,", calendar.MonthName().c_str(), calendar.GetYear(),
                   ElectionManager::Instance().MonthsToElection()));
    messageHeight_ =
        std::max(kFlagHeight, TextHeight(StyleSheet::kParagraph, message_, kTextWidth));
    const float height = std::min(kMaxHeight, kTop + messageHeight_ + 20.0f + 24.0f + 70.0f);
    Resize(kWidth, height);
    begin_ = Add<GUI_TextButton>(GetString("STARTDIALOG_BEGIN"), [this] { Close(); });
    Place(begin_, kWidth / 2.0f - 110.0f, height - 52.0f, kWidth / 2.0f + 110.0f, height - 16.0f);
}

void GUI_StartDialog::DrawContent() {
    if (!flag_.empty()) {
        D3DEngine& engine = D3DEngine::Instance();
        engine.SetTexture(flag_);
        Sprite flag;
        flag.SetSize(Px(kFlagWidth), Px(kFlagHeight));
        flag.SetPosition(X(kLeft + kFlagWidth / 2.0f), Y(kTop + kFlagHeight / 2.0f));
        flag.Draw();
        engine.DrawRectOutline(Rect{int(X(kLeft)), int(Y(kTop)), int(X(kLeft + kFlagWidth)),
                                    int(Y(kTop + kFlagHeight))},
                               info_colour::kInk);
    }
    Text(StyleSheet::kParagraph, kTextLeft, kTop, message_, kTextWidth);
    const float y = kTop + messageHeight_ + 16.0f;
    Rule(y - 6.0f);
    Text(StyleSheet::kApproval, kLeft, y, facts_, kWidth - 2.0f * kLeft, GdiText::kLeft,
         info_colour::kMutedText);
}
