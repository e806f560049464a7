// The guided tour's step window.
#include "gui/GUI_TutorialWindow.h"

#include <algorithm>

#include "core/TextUtilities.h"
#include "engine/StyleSheet.h"
#include "gui/GUI_TextButton.h"
#include "world/StringTable.h"

namespace {
constexpr float kMargin = 20.0f;
constexpr float kTextTop = 48.0f;
constexpr float kButtonWidth = 130.0f;
constexpr float kButtonHeight = 34.0f;
constexpr float kReferenceWidth = 1024.0f;
constexpr float kReferenceHeight = 768.0f;
}  // namespace

StepWindowPlace PlaceStepWindow(float x, float y, float windowWidth, float windowHeight,
                                int screenWidth, int screenHeight) {
    const float width = float(screenWidth), height = float(screenHeight);
    const float left = x * width / kReferenceWidth, top = y * height / kReferenceHeight;
    // A window larger than the screen keeps its top-left corner visible.
    return {std::max(0.0f, std::min(left, width - windowWidth)),
            std::max(0.0f, std::min(top, height - windowHeight))};
}

GUI_TutorialWindow::GUI_TutorialWindow(std::function<void()> onNext)
    : GUI_InfoWindow(GetString("TUTORIAL_TITLE"), kWidth, kHeight,
                     Options{.closeButton = false, .closesAtTurnEnd = false, .modal = false}) {
    next_ = Add<GUI_TextButton>(GetString("NEXT_STEP"), std::move(onNext));
    next_->SetTooltip(GetString("TOOLTIP_NEXT"));
}

void GUI_TutorialWindow::ShowStep(std::string_view text, size_t index, size_t count, float x,
                                  float y) {
    text_ = std::string(text);
    // Without steps (no file) there is nothing to count.
    counter_ = count == 0 ? std::string()
                          : FormatString("TUTORIAL_STEP",
                                         FormatText("STEP=%zu,COUNT=%zu,", index + 1, count));
    const float textHeight = TextHeight(StyleSheet::kParagraph, text_, kTextWidth);
    const float height = std::max(kHeight, kTextTop + textHeight + 16.0f + kButtonHeight + kMargin);
    Resize(kWidth, height);
    const StepWindowPlace place = PlaceStepWindow(x, y, float(Width()), float(Height()),
                                                  int(ScreenWidth()), int(ScreenHeight()));
    SetPosition(place.left, place.top);
    Place(next_, kWidth - kMargin - kButtonWidth, height - kMargin - kButtonHeight,
          kWidth - kMargin, height - kMargin);
}

void GUI_TutorialWindow::DrawContent() {
    Text(StyleSheet::kApproval, kMargin, 14.0f, counter_, kWidth - 2.0f * kMargin, GdiText::kRight,
         info_colour::kMutedText);
    Rule(kTextTop - 8.0f);
    Text(StyleSheet::kParagraph, kMargin, kTextTop, text_, kTextWidth);
}
