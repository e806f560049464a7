// The picker's policy list.
#include "gui/GUI_PolicyList.h"

#include <algorithm>
#include <cmath>

#include "aids/InterfacePermissions.h"
#include "core/Application.h"
#include "engine/D3DEngine.h"
#include "engine/Skin.h"
#include "engine/StyleSheet.h"
#include "gui/GUI_ModalHolder.h"
#include "gui/GuiInput.h"
#include "gui/GuiText.h"
#include "gui/PolicyWindows.h"
#include "politics/Policy.h"
#include "world/StringTable.h"

namespace {

constexpr SkinColour kListPaper{Skin::COL_LISTPAPER};
constexpr SkinColour kHover{Skin::COL_LISTHOVER};
constexpr SkinColour kRule{Skin::COL_LISTRULE};
constexpr SkinColour kMutedInk{Skin::COL_POLICYMUTEDTEXT};
constexpr SkinColour kInForceGreen{Skin::COL_GOOD};
constexpr float kScrollBarWidth = 10.0f;

float Scale() {
    return Application::Instance().InterfaceScale();
}

}  // namespace

GUI_PolicyList::GUI_PolicyList(Pick pick) : pick_(std::move(pick)) {}

void GUI_PolicyList::SetPolicies(std::vector<Policy*> policies, bool fromTop) {
    if (policies != policies_) {
        policies_ = std::move(policies);
        summaries_.clear();
        hovered_ = -1;
        tooltip_.reset();
    }
    ScrollTo(fromTop ? 0 : first_);
}

int GUI_PolicyList::MaxFirstRow() const {
    return std::max(0, int(policies_.size()) - kVisibleRows);
}

void GUI_PolicyList::ScrollTo(int firstRow) {
    first_ = std::clamp(firstRow, 0, MaxFirstRow());
}

Rect GUI_PolicyList::RowRect(int index) const {
    const int slot = index - first_;
    const int right =
        HasScrollBar() ? rect_.right - int((kScrollBarWidth + 4.0f) * Scale()) : rect_.right;
    return Rect{rect_.left, rect_.top + slot * RowHeight(), right,
                rect_.top + (slot + 1) * RowHeight()};
}

int GUI_PolicyList::EntryAt(float x, float y) const {
    for (int i = first_; i < std::min(int(policies_.size()), first_ + kVisibleRows); ++i)
        if (RectContains(RowRect(i), x, y)) return i;
    return -1;
}

Rect GUI_PolicyList::ScrollTrack() const {
    return Rect{rect_.right - int(kScrollBarWidth * Scale()), rect_.top, rect_.right, rect_.bottom};
}

Rect GUI_PolicyList::ScrollThumb() const {
    const Rect track = ScrollTrack();
    const int length = track.bottom - track.top;
    const int count = std::max(1, int(policies_.size()));
    const int thumb = std::max(int(20.0f * Scale()), length * kVisibleRows / count);
    const int travel = length - thumb;
    const int maxFirst = MaxFirstRow();
    const int top = track.top + (maxFirst > 0 ? travel * first_ / maxFirst : 0);
    return Rect{track.left, top, track.right, top + thumb};
}

bool GUI_PolicyList::OnClick(float x, float y) {
    if (!enabled_ || !Contains(x, y)) return false;
    if (HasScrollBar() && RectContains(ScrollTrack(), x, y)) {
        const Rect thumb = ScrollThumb();
        if (y < float(thumb.top)) {
            ScrollTo(first_ - kVisibleRows);
        } else if (y >= float(thumb.bottom)) {
            ScrollTo(first_ + kVisibleRows);
        } else {
            dragging_ = true;
            dragOffset_ = y - float(thumb.top);
        }
        return true;
    }
    const int entry = EntryAt(x, y);
    if (entry < 0) return true;
    GUI_ModalHolder::Instance().PlayClickSound();
    // A walk-through may hold the player back from choosing yet.
    if (!InterfacePermissions::Instance().IsEnabled(InterfacePermissions::kFurther5)) return true;
    if (pick_) {
        const Pick pick = pick_;  // the pick may rebuild this list
        pick(*policies_[size_t(entry)]);
    }
    return true;
}

void GUI_PolicyList::Update() {
    const GuiInput& input = GuiInput::Instance();
    if (dragging_) {
        if (!input.leftDown) {
            dragging_ = false;
        } else {
            const Rect track = ScrollTrack(), thumb = ScrollThumb();
            const float travel = float((track.bottom - track.top) - (thumb.bottom - thumb.top));
            const float along = input.mouseY - dragOffset_ - float(track.top);
            if (travel > 0.0f) ScrollTo(int(std::lround(along / travel * float(MaxFirstRow()))));
        }
    }
    const bool front = owner_ && IsFrontWindow(owner_);
    // The wheel over the list scrolls it a row a notch.
    if (front && input.wheelNotches != 0 && Contains(input.mouseX, input.mouseY))
        ScrollTo(first_ - input.wheelNotches);
    const int entry = front ? EntryAt(input.mouseX, input.mouseY) : -1;
    if (entry != hovered_) {
        hovered_ = entry;
        if (entry >= 0)
            SetTooltip(policies_[size_t(entry)]->Description());
        else
            tooltip_.reset();
    }
    GUI_Button::Update();
}

void GUI_PolicyList::Draw() {
    D3DEngine& engine = D3DEngine::Instance();
    engine.FillRect(rect_, kListPaper);
    const int last = std::min(int(policies_.size()), first_ + kVisibleRows);
    for (int i = first_; i < last; ++i) DrawRow(i, RowRect(i));
    engine.DrawRectOutline(rect_, Skin::Instance().Get(Skin::COL_LISTOUTLINE));
    if (HasScrollBar()) {
        const Rect track = ScrollTrack();
        engine.FillRect(track, Skin::Instance().Get(Skin::COL_TROUGH));
        engine.FillRect(ScrollThumb(),
                        Skin::Instance().Get(dragging_ ? Skin::COL_INK : Skin::COL_MUTED));
    }
    DrawTooltip();
}

const std::string& GUI_PolicyList::Summary(int index, int width) {
    if (width != summaryWidth_) {
        summaries_.clear();
        summaryWidth_ = width;
    }
    if (summaries_.size() != policies_.size()) {
        summaries_.clear();
        for (const Policy* policy : policies_)
            summaries_.push_back(
                FitText(StyleSheet::kApproval, FirstSentence(policy->Description()), width));
    }
    return summaries_[size_t(index)];
}

void GUI_PolicyList::DrawRow(int index, const Rect& row) {
    D3DEngine& engine = D3DEngine::Instance();
    const Policy& policy = *policies_[size_t(index)];
    const float s = Scale();
    if (index == hovered_) engine.FillRect(row, kHover);
    if (index + 1 < first_ + kVisibleRows && index + 1 < int(policies_.size()))
        engine.FillRect(Rect{row.left + 6, row.bottom - 1, row.right - 6, row.bottom}, kRule);
    const float left = float(row.left) + 10.0f * s;
    const float right = float(row.right) - 10.0f * s;
    const float nameTop = float(row.top) + 3.0f * s;

    int noteWidth = 0;
    if (policy.IsInForce()) {
        const std::string label = GetString("POLICY_INFORCE");
        noteWidth = StyledTextWidth(StyleSheet::kApproval, label) + int(20.0f * s);
        DrawStyledText(StyleSheet::kApproval, right - float(noteWidth), nameTop + 1.0f * s, label,
                       float(noteWidth), GdiText::kRight);
        DrawInForceMark(right - float(noteWidth), nameTop + 4.0f * s);
    } else if (const PolicyMoneyNote money = NewPolicyMoneyNote(policy); !money.amount.empty()) {
        const std::string note = money.label + " " + money.amount;
        noteWidth = StyledTextWidth(StyleSheet::kApproval, note);
        DrawStyledText(StyleSheet::kApproval, right - float(noteWidth), nameTop + 1.0f * s, note,
                       0.0f, GdiText::kLeft, kMutedInk);
    }
    const std::string& name = policy.DisplayName().empty() ? policy.Name() : policy.DisplayName();
    const int nameWidth = int(right - left) - noteWidth - int(12.0f * s);
    DrawStyledText(StyleSheet::kButtonText, left, nameTop,
                   FitText(StyleSheet::kButtonText, name, nameWidth));
    DrawStyledText(StyleSheet::kApproval, left, float(row.top) + 22.0f * s,
                   Summary(index, int(right - left)), 0.0f, GdiText::kLeft, kMutedInk);
}

void GUI_PolicyList::DrawInForceMark(float x, float y) const {
    // A tick, two pixels thick, so "in force" reads without the colour.
    const float s = Scale();
    D3DEngine& engine = D3DEngine::Instance();
    for (float d = 0.0f; d < 2.0f; d += 1.0f) {
        engine.DrawLine(x, y + (5.0f + d) * s, x + 4.0f * s, y + (9.0f + d) * s, kInForceGreen);
        engine.DrawLine(x + 4.0f * s, y + (9.0f + d) * s, x + 11.0f * s, y + (1.0f + d) * s,
                        kInForceGreen);
    }
}
