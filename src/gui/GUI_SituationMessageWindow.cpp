// Situation start and end messages.
#include "gui/GUI_SituationMessageWindow.h"

#include "engine/D3DEngine.h"
#include "engine/StyleSheet.h"
#include "gui/GUI_TextButton.h"
#include "gui/InfoDrawing.h"
#include "gui/InfoWindows.h"
#include "politics/Situation.h"
#include "world/StringTable.h"

namespace {
constexpr float kWidth = 500.0f;
constexpr float kLeft = 30.0f;
constexpr float kTop = 50.0f;
}  // namespace

GUI_SituationMessageWindow::GUI_SituationMessageWindow(const Situation& situation, bool started)
    : GUI_InfoWindow(situation.DisplayName().empty() ? situation.Name() : situation.DisplayName(),
                     kWidth, 260.0f),
      situation_(&situation),
      started_(started),
      text_(started ? situation.StartText() : situation.EndText()) {
    const float textHeight = TextHeight(StyleSheet::kParagraph, text_, kWidth - 2.0f * kLeft);
    const float height = kTop + 30.0f + textHeight + 76.0f;
    Resize(kWidth, height);
    details_ = Add<GUI_TextButton>(GetString("DETAILS"), [this] {
        if (auto* subject = static_cast<const Situation*>(situation_.Get()))
            OpenSituationDetails(*subject);
        Close();
    });
    Place(details_, kLeft, height - 52.0f, kLeft + 170.0f, height - 18.0f);
    auto* ok = Add<GUI_TextButton>(GetString("GUI_CONTINUE"), [this] { Close(); });
    Place(ok, kWidth - kLeft - 170.0f, height - 52.0f, kWidth - kLeft, height - 18.0f);
}

void GUI_SituationMessageWindow::DrawContent() {
    const Situation* situation = static_cast<const Situation*>(situation_.Get());
    // Good news in the good colour, bad in the bad, and the words say which.
    const bool goodNews = situation && situation->IsPositive() == started_;
    Text(StyleSheet::kHeadline, kLeft, kTop,
         GetString(started_ ? "TOOLTIP_SITSTART" : "TOOLTIP_SITEND"), 0.0f, GdiText::kLeft,
         goodNews ? info_colour::kGoodText : info_colour::kBadText);
    Text(StyleSheet::kParagraph, kLeft, kTop + 30.0f, text_, kWidth - 2.0f * kLeft);
}
