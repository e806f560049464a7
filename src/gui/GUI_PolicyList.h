// The new-policy picker's list of one group's policies: a row per policy
// with its name, what it costs or raises, whether it is already in force and
// the first sentence of its description (the whole of it as a tooltip).
// Whole rows scroll under a bar at the right edge when the group is long.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "gui/GUI_Button.h"

class Policy;

class GUI_PolicyList : public GUI_Button {
public:
    using Pick = std::function<void(Policy&)>;
    static constexpr int kVisibleRows = 6;

    explicit GUI_PolicyList(Pick pick);

    // Keeps the scroll position (clamped) unless `fromTop`.
    void SetPolicies(std::vector<Policy*> policies, bool fromTop);
    const std::vector<Policy*>& Policies() const { return policies_; }

    int FirstRow() const { return first_; }
    int MaxFirstRow() const;
    void ScrollTo(int firstRow);
    bool HasScrollBar() const { return int(policies_.size()) > kVisibleRows; }

    int RowHeight() const { return height_ / kVisibleRows; }
    // The screen rectangle of list entry `index` while it is scrolled into view.
    Rect RowRect(int index) const;
    // The entry under the point, or -1.
    int EntryAt(float x, float y) const;
    Rect ScrollTrack() const;
    Rect ScrollThumb() const;

    // A row picks its policy (while the interface allows it); the bar pages
    // or starts a drag of its thumb.
    bool OnClick(float x, float y) override;
    // Hover, the row's tooltip and the thumb drag.
    void Update() override;
    void Draw() override;

private:
    void DrawRow(int index, const Rect& row);
    void DrawInForceMark(float right, float y) const;
    const std::string& Summary(int index, int width);

    Pick pick_;
    std::vector<Policy*> policies_;
    std::vector<std::string> summaries_;
    int summaryWidth_ = -1;
    int first_ = 0;
    int hovered_ = -1;
    bool dragging_ = false;
    float dragOffset_ = 0.0f;
};
