// The guided tour's pointer at part of the main screen: either one target
// (an icon, a button or a window), framed by four arrows that bob gently
// towards it, or one kind of element (every policy icon, the popularity
// bars, ...), each member ringed by a pulsing outline. Setting one clears
// the other.
#pragma once

#include <array>
#include <functional>
#include <optional>
#include <vector>

#include "engine/Sprite.h"

class MainGameScreen;

enum class HighlightKind : int {
    None = 0,
    PolicyIcons = 1,
    PeopleIcons = 2,
    SituationIcons = 3,
    IssuesList = 4,
    PollsButton = 5,
    PopularityBars = 6,
};

// One arrow: its centre and the angle (degrees, clockwise) that turns the
// right-pointing arrow texture towards the target.
struct HighlightArrow {
    float x = 0.0f;
    float y = 0.0f;
    float angle = 0.0f;
};

// Left, right, above, below: each arrow's centre `offset` pixels outside the
// rectangle's edge, the side arrows at its vertical centre, the others at
// its horizontal centre.
std::array<HighlightArrow, 4> ArrowsAround(const Rect& target, float offset);

// A member of a highlighted kind: round members get a ring, others a frame.
struct HighlightMember {
    Rect rect;
    bool round = false;
};

class Highlighter {
public:
    // Resolved every frame, so a target that closes or moves is followed and
    // one that is gone simply shows nothing.
    using Target = std::function<std::optional<Rect>()>;
    static constexpr float kArrowSize = 64.0f;
    static constexpr float kArrowOffset = 32.0f;

    static Highlighter& Instance();

    void SetTarget(Target target);
    void SetKind(HighlightKind kind);
    // Neither target nor kind.
    void Clear();

    bool HasTarget() const { return bool(target_); }
    HighlightKind Kind() const { return kind_; }
    std::optional<Rect> TargetRect() const;

    // The visible members of the kind on the screen (none for hidden parts).
    static std::vector<HighlightMember> Members(HighlightKind kind, MainGameScreen& screen);
    // The rectangles the arrows frame this frame: the target, or for a kind
    // whose members sit together, the box around them, or each of at most
    // two members far apart.
    std::vector<Rect> ArrowFrames(MainGameScreen& screen) const;

    // Once a frame, above the map and panels and below the windows.
    void Draw(MainGameScreen& screen);

private:
    Highlighter() = default;
    void DrawArrows(const Rect& target, float offset, float scale) const;

    Target target_;
    HighlightKind kind_ = HighlightKind::None;
    int frame_ = 0;
};
