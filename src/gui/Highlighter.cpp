// The guided tour's highlight: arrows round a target, outlines round a kind.
#include "gui/Highlighter.h"

#include <algorithm>
#include <cmath>

#include "aids/InterfacePermissions.h"
#include "engine/D3DEngine.h"
#include "engine/Skin.h"
#include "gui/GUI_ControlPanel.h"
#include "gui/GUI_HoverImageButton.h"
#include "gui/GUI_IssueBar.h"
#include "gui/GUI_PopularityBars.h"
#include "gui/MainGameScreen.h"
#include "gui/icons/GUI_PolicyIcon.h"
#include "gui/icons/GUI_SituationIcon.h"
#include "gui/icons/GUI_peopleStrip.h"
#include "gui/icons/MapGeometry.h"
#include "politics/IssuesList.h"

namespace {

constexpr const char* kArrowTexture = "tutorial_arrow.dds";
constexpr const char* kSolidTexture = "gui_solid.dds";
constexpr float kPi = 3.14159265f;
// One bob of the arrows and one pulse of the outlines, in frames.
constexpr int kPeriod = 60;
constexpr float kBobDistance = 8.0f;
constexpr SkinColour kYellow{Skin::COL_HIGHLIGHT};
constexpr SkinColour kInk{Skin::COL_HIGHLIGHTEDGE};

bool Shown(int flag) {
    return InterfacePermissions::Instance().IsShown(flag);
}

template <typename Icon>
void AddIcons(std::vector<HighlightMember>& members, int showFlag, bool round) {
    if (!Shown(showFlag)) return;
    for (GUI_IconBase* icon : GUI_IconBase::AllIcons())
        if (dynamic_cast<Icon*>(icon)) members.push_back({icon->GetRect(), round});
}

Rect BoundingBox(const std::vector<HighlightMember>& members) {
    Rect box = members.front().rect;
    for (const HighlightMember& member : members) {
        box.left = std::min(box.left, member.rect.left);
        box.top = std::min(box.top, member.rect.top);
        box.right = std::max(box.right, member.rect.right);
        box.bottom = std::max(box.bottom, member.rect.bottom);
    }
    return box;
}

// A closed outline: a ring for round members, a frame for the others.
std::vector<float> OutlinePoints(const HighlightMember& member, float gap) {
    const Rect& r = member.rect;
    std::vector<float> points;
    if (member.round) {
        const float cx = float(r.left + r.right) / 2.0f, cy = float(r.top + r.bottom) / 2.0f;
        const float radius = float(std::max(r.right - r.left, r.bottom - r.top)) / 2.0f + gap;
        constexpr int kSegments = 28;
        for (int i = 0; i <= kSegments; ++i) {
            const float a = 2.0f * kPi * float(i) / float(kSegments);
            points.push_back(cx + radius * std::cos(a));
            points.push_back(cy + radius * std::sin(a));
        }
        return points;
    }
    const float left = float(r.left) - gap, top = float(r.top) - gap;
    const float right = float(r.right) + gap, bottom = float(r.bottom) + gap;
    // The first corner again past the end, so the strip closes without a notch.
    points = {left, top, right, top, right, bottom, left, bottom, left, top, right, top};
    return points;
}

bool ArrowOnScreen(const HighlightArrow& arrow, float size, int width, int height) {
    const float half = size / 2.0f;
    return arrow.x - half >= 0.0f && arrow.y - half >= 0.0f && arrow.x + half <= float(width) &&
           arrow.y + half <= float(height);
}

int VisibleArrowCount(const Rect& target, float offset, float size, int width, int height) {
    int count = 0;
    for (const HighlightArrow& arrow : ArrowsAround(target, offset))
        count += ArrowOnScreen(arrow, size, width, height) ? 1 : 0;
    return count;
}

}  // namespace

std::array<HighlightArrow, 4> ArrowsAround(const Rect& target, float offset) {
    const float midX = float(target.left + target.right) / 2.0f;
    const float midY = float(target.top + target.bottom) / 2.0f;
    return {{
        {float(target.left) - offset, midY, 0.0f},      // points right, at the left edge
        {float(target.right) + offset, midY, 180.0f},   // points left
        {midX, float(target.top) - offset, 90.0f},      // points down, above
        {midX, float(target.bottom) + offset, 270.0f},  // points up, below
    }};
}

Highlighter& Highlighter::Instance() {
    static Highlighter highlighter;
    return highlighter;
}

void Highlighter::SetTarget(Target target) {
    frame_ = 0;  // each highlight starts its animation afresh
    target_ = std::move(target);
    kind_ = HighlightKind::None;
}

void Highlighter::SetKind(HighlightKind kind) {
    frame_ = 0;
    kind_ = kind;
    target_ = nullptr;
}

void Highlighter::Clear() {
    frame_ = 0;
    target_ = nullptr;
    kind_ = HighlightKind::None;
}

std::optional<Rect> Highlighter::TargetRect() const {
    return target_ ? target_() : std::nullopt;
}

std::vector<HighlightMember> Highlighter::Members(HighlightKind kind, MainGameScreen& screen) {
    std::vector<HighlightMember> members;
    const MapMetrics metrics = screen.Metrics();
    // The issues bar, the control panel and the popularity bars are shown
    // together with the control panel.
    const bool panels = Shown(InterfacePermissions::kControlPanel);
    switch (kind) {
        case HighlightKind::None:
            break;
        case HighlightKind::PolicyIcons:
            AddIcons<GUI_PolicyIcon>(members, InterfacePermissions::kPolicyIcons, true);
            break;
        case HighlightKind::PeopleIcons:
            AddIcons<GUI_peopleStrip>(members, InterfacePermissions::kPeopleStrips, false);
            break;
        case HighlightKind::SituationIcons:
            AddIcons<GUI_SituationIcon>(members, InterfacePermissions::kSituationIcons, true);
            break;
        case HighlightKind::IssuesList: {
            if (!panels) break;
            const size_t count = IssuesList::Instance().Count();
            for (size_t i = 0; i < count; ++i)
                members.push_back({GUI_IssueBar::IconRect(i, count, metrics), false});
            break;
        }
        case HighlightKind::PollsButton:
            if (!panels || !screen.ControlPanel()) break;
            if (const GUI_Button* button =
                    screen.ControlPanel()->ButtonFor(ControlPanelAction::Polls))
                members.push_back({button->GetRect(), true});
            break;
        case HighlightKind::PopularityBars:
            if (!panels) break;
            for (int bar : {GUI_PopularityBars::kApproval, GUI_PopularityBars::kVotingIntention})
                members.push_back({GUI_PopularityBars::BlockRect(bar, metrics.width, metrics.height,
                                                                 metrics.scale),
                                   false});
            break;
    }
    return members;
}

std::vector<Rect> Highlighter::ArrowFrames(MainGameScreen& screen) const {
    if (target_) {
        const std::optional<Rect> rect = target_();
        return rect ? std::vector<Rect>{*rect} : std::vector<Rect>{};
    }
    const std::vector<HighlightMember> members = Members(kind_, screen);
    if (members.empty()) return {};
    const Rect box = BoundingBox(members);
    const MapMetrics metrics = screen.Metrics();
    // Arrows round a group spread over the whole screen would point at
    // nothing, and a box at the screen's edge would keep few of its arrows:
    // two members far apart or at an edge are pointed at one by one, larger
    // groups have their outlines alone.
    const bool compact =
        box.right - box.left <= metrics.width / 3 && box.bottom - box.top <= metrics.height / 3;
    const float reach = (kArrowOffset + kBobDistance) * metrics.scale;
    const float size = kArrowSize * metrics.scale;
    if (compact && VisibleArrowCount(box, reach, size, metrics.width, metrics.height) == 4)
        return {box};
    if (members.size() > 2) return compact ? std::vector<Rect>{box} : std::vector<Rect>{};
    std::vector<Rect> frames;
    for (const HighlightMember& member : members) frames.push_back(member.rect);
    return frames;
}

void Highlighter::Draw(MainGameScreen& screen) {
    if (!target_ && kind_ == HighlightKind::None) return;
    ++frame_;
    const float scale = screen.Metrics().scale;
    const float wave =
        0.5f - 0.5f * std::cos(2.0f * kPi * float(frame_ % kPeriod) / float(kPeriod));
    if (kind_ != HighlightKind::None) {
        D3DEngine& engine = D3DEngine::Instance();
        engine.SetTexture(kSolidTexture);
        const std::uint32_t alpha = std::uint32_t(150.0f + 105.0f * wave);
        const float gap = 4.0f * scale;
        for (const HighlightMember& member : Members(kind_, screen)) {
            const std::vector<float> points = OutlinePoints(member, gap);
            const int count = int(points.size() / 2);
            // Ink under the yellow keeps the outline clear on paper and slate alike.
            engine.DrawThickLineStrip(points.data(), count, kInk, std::max(4.0f, 5.0f * scale));
            engine.DrawThickLineStrip(points.data(), count, WithAlpha(kYellow, alpha),
                                      std::max(2.0f, 3.0f * scale));
        }
    }
    const float offset = (kArrowOffset + kBobDistance * wave) * scale;
    for (const Rect& frame : ArrowFrames(screen)) DrawArrows(frame, offset, scale);
}

void Highlighter::DrawArrows(const Rect& target, float offset, float scale) const {
    D3DEngine& engine = D3DEngine::Instance();
    const float size = kArrowSize * scale;
    engine.SetTexture(kArrowTexture);
    for (const HighlightArrow& arrow : ArrowsAround(target, offset)) {
        // An arrow cut by the screen's edge points at nothing clearly; the
        // other three still do.
        if (!ArrowOnScreen(arrow, size, engine.Width(), engine.Height())) continue;
        Sprite sprite;
        sprite.SetSize(size, size);
        sprite.SetAngle(SpriteSafeAngle(arrow.angle));
        sprite.SetPosition(arrow.x, arrow.y);
        sprite.SetColour(kUntinted);
        sprite.Draw();
    }
}
