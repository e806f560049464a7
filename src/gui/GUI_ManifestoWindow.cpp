// The manifesto progress window.
#include "gui/GUI_ManifestoWindow.h"

#include <algorithm>
#include <cmath>

#include "core/TextUtilities.h"
#include "engine/StyleSheet.h"
#include "gui/InfoDrawing.h"
#include "world/Manifesto.h"
#include "world/StringTable.h"

namespace {
constexpr float kWidth = 500.0f;
constexpr const char* kFace = "tahoma";
constexpr float kFaceSize = 17.0f;
constexpr float kLeft = 30.0f;
constexpr float kTop = 50.0f;
constexpr float kWrap = 440.0f;
constexpr float kRow = 24.0f;
constexpr float kTextLeft = 56.0f;
constexpr float kTextWidth = 270.0f;
}  // namespace

std::string GUI_ManifestoWindow::ProgressText(float initial, float current) {
    if (current == initial) return GetString("MANIFESTO_UNCHANGED");
    // A promise made from nothing has no relative change; its move is shown
    // in points instead of dividing by zero.
    const float base = initial != 0.0f ? std::fabs(initial) : 1.0f;
    const float change = std::fabs(current - initial) / base * 100.0f;
    return FormatText(
        "%s %.2f%%",
        GetString(current > initial ? "MANIFESTO_RISEN_BY" : "MANIFESTO_FALLEN_BY").c_str(),
        double(change));
}

GUI_ManifestoWindow::GUI_ManifestoWindow()
    : GUI_InfoWindow(GetString("MANIFESTO_PROGRESS"), kWidth, 300.0f),
      description_(GetString("MANIFESTO_PROGRESS_DESC")) {
    for (const ManifestoPledge& pledge : Manifesto::Instance().LivePledges()) {
        Row row;
        row.text = pledge.option ? pledge.option->displayText : std::string();
        row.progress = ProgressText(pledge.initialValue, Manifesto::GetCurrentValue(pledge));
        row.kept = Manifesto::IsKept(pledge);
        row.height = std::max(kRow, TextHeight(StyleSheet::kApproval, row.text, kTextWidth) + 6.0f);
        rows_.push_back(std::move(row));
    }
    descriptionHeight_ = FaceTextHeight(kFace, kFaceSize, description_, kWrap);
    float height = kTop + descriptionHeight_ + 20.0f;
    if (rows_.empty()) height += kRow;
    for (const Row& row : rows_) height += row.height;
    Resize(kWidth, height + 24.0f);
}

void GUI_ManifestoWindow::DrawContent() {
    FaceText(kFace, kFaceSize, kLeft, kTop, description_, kWrap, info_colour::kInk);
    float y = kTop + descriptionHeight_ + 16.0f;
    Rule(y - 6.0f);
    if (rows_.empty()) {
        Text(StyleSheet::kApproval, kLeft, y, GetString("MANIFESTO_NOPROMISES"));
        return;
    }
    for (const Row& row : rows_) {
        if (row.kept)
            DrawTick(X(kLeft), Y(y), Px(16.0f), info_colour::kGood);
        else
            DrawCross(X(kLeft), Y(y), Px(16.0f), info_colour::kBad);
        Text(StyleSheet::kApproval, kTextLeft, y, row.text, kTextWidth);
        Text(StyleSheet::kApproval, kTextLeft + kTextWidth, y, row.progress,
             kWidth - kLeft - kTextLeft - kTextWidth, GdiText::kRight,
             row.kept ? info_colour::kGoodText : info_colour::kBadText);
        y += row.height;
    }
}
