// The issues bar.
#include "gui/GUI_IssueBar.h"

#include <memory>

#include "aids/InterfacePermissions.h"
#include "engine/D3DEngine.h"
#include "gui/GUI_Button.h"
#include "gui/GUI_ModalHolder.h"
#include "gui/GuiInput.h"
#include "gui/InfoWindows.h"
#include "politics/IssuesList.h"
#include "world/StringTable.h"

GUI_IssueBar::GUI_IssueBar() : tooltip_("", GUI_Button::kTooltipDelay) {}

Rect GUI_IssueBar::IconRect(size_t index, size_t count, const MapMetrics& metrics) {
    const int size = int(kIconSize * metrics.fit);
    const int barWidth = int(count) * size;
    const int left = (metrics.width - barWidth) / 2 + int(index) * size;
    const int top = metrics.height / 2 - int(kRaise * metrics.fit);
    return Rect{left, top, left + size, top + size};
}

std::optional<size_t> GUI_IssueBar::IconAt(float x, float y, size_t count,
                                           const MapMetrics& metrics) {
    for (size_t i = 0; i < count; ++i)
        if (RectContains(IconRect(i, count, metrics), x, y)) return i;
    return std::nullopt;
}

void GUI_IssueBar::Draw(const MapMetrics& metrics) {
    const IssuesList& issues = IssuesList::Instance();
    const GuiInput& input = GuiInput::Instance();
    const size_t count = issues.Count();
    const std::optional<size_t> hovered =
        input.mouseOverWindow ? std::nullopt : IconAt(input.mouseX, input.mouseY, count, metrics);
    D3DEngine& engine = D3DEngine::Instance();
    for (size_t i = 0; i < count; ++i) {
        const Rect r = IconRect(i, count, metrics);
        // The icon under the pointer stands a little larger.
        const float grow = hovered == i ? 1.15f : 1.0f;
        engine.SetTexture(IssuesList::Look(issues.Entries()[i].kind).icon);
        Sprite sprite;
        sprite.SetSize(float(r.right - r.left) * grow, float(r.bottom - r.top) * grow);
        sprite.SetPosition(float(r.left + r.right) / 2.0f, float(r.top + r.bottom) / 2.0f);
        sprite.SetColour(kUntinted);
        sprite.Draw();
    }
    if (hovered) {
        if (shownFor_ != hovered)
            tooltip_.SetText(
                GetString(IssuesList::Look(issues.Entries()[*hovered].kind).tooltipKey));
        shownFor_ = hovered;
        tooltip_.Arm(input.stillFrames);
        tooltip_.PlaceAtMouse(input.mouseX, input.mouseY);
    }
    tooltip_.Draw();
}

bool GUI_IssueBar::OnClick(float x, float y, const MapMetrics& metrics) {
    const std::optional<size_t> index = IconAt(x, y, IssuesList::Instance().Count(), metrics);
    if (!index) return false;
    if (InterfacePermissions::Instance().IsEnabled(InterfacePermissions::kIssueItems)) {
        GUI_ModalHolder::Instance().PlayClickSound();
        ::OpenIssue(*index);
        shownFor_.reset();
    }
    return true;
}
