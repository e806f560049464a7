// The quarterly report.
#include "gui/GUI_ReportWindow.h"

#include <algorithm>

#include "core/TextUtilities.h"
#include "engine/D3DEngine.h"
#include "engine/StyleSheet.h"
#include "gui/GUI_TextButton.h"
#include "world/Calendar.h"
#include "world/Gameplaymanager.h"
#include "world/NewsList.h"
#include "world/OppositionManager.h"
#include "world/StringTable.h"

namespace {
constexpr float kWidth = 640.0f;
constexpr float kLeft = 30.0f;
constexpr float kTop = 50.0f;
constexpr float kBullet = 16.0f;
constexpr float kTextWidth = kWidth - 2.0f * kLeft;
constexpr float kGap = 14.0f;
constexpr float kMaxHeight = 560.0f;
}  // namespace

GUI_ReportWindow::GUI_ReportWindow()
    : GUI_InfoWindow(GetString("QUARTERLY_REPORT"), kWidth, 400.0f),
      paragraph_(NewsList::Instance().BuildReport(unsigned(Gameplaymanager::Instance().TurnNumber()))),
      intelligence_(OppositionManager::Instance().IntelReport()) {
    Calendar& calendar = Calendar::Instance();
    date_ = FormatText("%s %d", calendar.MonthName().c_str(), calendar.GetYear());
    for (const NewsItem& item : NewsList::Instance().Items()) {
        if (news_.size() >= kNewsItems) break;
        news_.push_back(item.text);
    }
    float height = kTop;
    heights_.push_back(TextHeight(StyleSheet::kParagraph, paragraph_, kTextWidth));
    height += heights_.back() + kGap;
    if (!news_.empty()) height += 28.0f;
    for (const std::string& item : news_) {
        heights_.push_back(TextHeight(StyleSheet::kApproval, item, kTextWidth - kBullet) + 4.0f);
        height += heights_.back();
    }
    heights_.push_back(TextHeight(StyleSheet::kApproval, intelligence_, kTextWidth));
    height += kGap + heights_.back() + 70.0f;
    height = std::min(kMaxHeight, height);
    Resize(kWidth, height);
    auto* ok = Add<GUI_TextButton>(GetString("GUI_CONTINUE"), [this] { Close(); });
    Place(ok, kWidth / 2.0f - 90.0f, height - 50.0f, kWidth / 2.0f + 90.0f, height - 16.0f);
}

void GUI_ReportWindow::DrawContent() {
    Text(StyleSheet::kApproval, kLeft, 16.0f, date_, kTextWidth - 34.0f, GdiText::kRight,
         info_colour::kMutedText);
    float y = kTop;
    size_t h = 0;
    Text(StyleSheet::kParagraph, kLeft, y, paragraph_, kTextWidth);
    y += heights_[h++] + kGap;
    D3DEngine& engine = D3DEngine::Instance();
    if (!news_.empty()) {
        Text(StyleSheet::kHeadline, kLeft, y, GetString("REPORT_NEWS"));
        y += 28.0f;
    }
    for (const std::string& item : news_) {
        engine.FillRect(
            Rect{int(X(kLeft + 3.0f)), int(Y(y + 7.0f)), int(X(kLeft + 8.0f)), int(Y(y + 12.0f))},
            info_colour::kAccent);
        Text(StyleSheet::kApproval, kLeft + kBullet, y, item, kTextWidth - kBullet);
        y += heights_[h++];
    }
    Rule(y + kGap / 2.0f - 1.0f);
    y += kGap;
    Text(StyleSheet::kApproval, kLeft, y, intelligence_, kTextWidth, GdiText::kLeft,
         info_colour::kInk);
}
