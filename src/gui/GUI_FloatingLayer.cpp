// The end-of-frame tooltip overlay.
#include "gui/GUI_FloatingLayer.h"

#include <algorithm>
#include <cmath>

#include "engine/D3DEngine.h"
#include "engine/GdiText.h"
#include "gui/GUI_Tooltip.h"
#include "gui/GuiInput.h"

namespace {

// A tooltip's box with its shadow, a pixel right and down.
Rect WithShadow(const Rect& box) {
    return {box.left, box.top, box.right + 1, box.bottom + 1};
}

bool Overlap(const Rect& a, const Rect& b) {
    return a.left < b.right && b.left < a.right && a.top < b.bottom && b.top < a.bottom;
}

// How far the pointer is from a box: 0 inside it.
float PointerDistance(const Rect& box) {
    const GuiInput& input = GuiInput::Instance();
    const float dx = std::max({float(box.left) - input.mouseX, 0.0f, input.mouseX - float(box.right)});
    const float dy = std::max({float(box.top) - input.mouseY, 0.0f, input.mouseY - float(box.bottom)});
    return dx * dx + dy * dy;
}

}  // namespace

std::optional<Rect> FreeTooltipPlace(const Rect& wanted, const std::vector<Rect>& taken,
                                     int screenWidth, int screenHeight) {
    const int width = wanted.right - wanted.left, height = wanted.bottom - wanted.top;
    const auto isFree = [&](const Rect& box) {
        return std::none_of(taken.begin(), taken.end(),
                            [&](const Rect& other) { return Overlap(box, other); });
    };
    if (isFree(wanted)) return wanted;
    // The nearest free place touches a taken box (or the wanted edge) on
    // each axis: try every such left and top.
    std::vector<int> lefts{wanted.left}, tops{wanted.top};
    for (const Rect& other : taken) {
        lefts.push_back(other.right);
        lefts.push_back(other.left - width);
        tops.push_back(other.bottom);
        tops.push_back(other.top - height);
    }
    std::optional<Rect> best;
    long bestDistance = 0;
    for (int left : lefts) {
        if (left < 0 || left + width > screenWidth) continue;
        for (int top : tops) {
            if (top < 0 || top + height > screenHeight) continue;
            const Rect box{left, top, left + width, top + height};
            const long dx = left - wanted.left, dy = top - wanted.top;
            const long distance = dx * dx + dy * dy;
            if ((best && distance >= bestDistance) || !isFree(box)) continue;
            best = box;
            bestDistance = distance;
        }
    }
    return best;
}

GUI_FloatingLayer& GUI_FloatingLayer::Instance() {
    static GUI_FloatingLayer layer;
    return layer;
}

void GUI_FloatingLayer::Queue(GUI_Tooltip* tooltip) {
    if (std::find(queued_.begin(), queued_.end(), tooltip) == queued_.end())
        queued_.push_back(tooltip);
}

void GUI_FloatingLayer::Forget(const GUI_Tooltip* tooltip) {
    queued_.erase(std::remove(queued_.begin(), queued_.end(), tooltip), queued_.end());
    mapLabels_.erase(std::remove(mapLabels_.begin(), mapLabels_.end(), tooltip), mapLabels_.end());
}

void GUI_FloatingLayer::QueueMapLabel(GUI_Tooltip* tooltip) {
    if (std::find(mapLabels_.begin(), mapLabels_.end(), tooltip) == mapLabels_.end())
        mapLabels_.push_back(tooltip);
}

void GUI_FloatingLayer::DrawMapLabels() {
    // The map is drawn before anything else that floats: a new frame.
    frameShown_.clear();
    frameOpen_ = true;
    std::vector<GUI_Tooltip*> labels = std::move(mapLabels_);
    mapLabels_.clear();
    Place(std::move(labels));
}

void GUI_FloatingLayer::DrawAll() {
    if (!frameOpen_) frameShown_.clear();
    std::vector<GUI_Tooltip*> queued = std::move(queued_);
    queued_.clear();
    Place(std::move(queued));
    shown_ = frameShown_;
    frameOpen_ = false;
}

// Several tooltips show at once when an icon's lines light its neighbours.
// Drawn where their owners put them they would cover one another, so each
// takes the free place nearest its own, the one nearest the pointer first:
// that is the one the player is reading.
void GUI_FloatingLayer::Place(std::vector<GUI_Tooltip*> queued) {
    D3DEngine& engine = D3DEngine::Instance();
    // Point sampling keeps the small text crisp.
    engine.SetPointFiltering();
    std::stable_sort(queued.begin(), queued.end(), [](GUI_Tooltip* a, GUI_Tooltip* b) {
        return a->ShowsThisFrame() && (!b->ShowsThisFrame() ||
                                       PointerDistance(a->GetRect()) < PointerDistance(b->GetRect()));
    });
    const int width = int(ScreenWidth()), height = int(ScreenHeight());
    for (GUI_Tooltip* tooltip : queued) {
        if (!tooltip->ShowsThisFrame()) {
            tooltip->DrawQueued(std::nullopt);
            continue;
        }
        const std::optional<Rect> place =
            FreeTooltipPlace(WithShadow(tooltip->GetRect()), frameShown_, width, height);
        if (place) frameShown_.push_back(*place);
        tooltip->DrawQueued(place ? std::optional<TooltipPosition>({place->left, place->top})
                                  : std::nullopt);
    }
    GdiText::Instance().FlushTextQueue();
    engine.SetLinearFiltering();
}
