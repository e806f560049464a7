// Value bars.
#include "gui/icons/GUI_SimulationBars.h"

#include <algorithm>
#include <cmath>

#include "aids/InterfacePermissions.h"
#include "engine/D3DEngine.h"
#include "engine/GdiText.h"
#include "engine/Skin.h"
#include "gui/GUI_ModalHolder.h"
#include "gui/GuiInput.h"
#include "gui/InfoWindows.h"
#include "gui/icons/IconDrawing.h"
#include "gui/icons/MapText.h"
#include "simulation/Simulation.h"

GUI_SimulationBars::GUI_SimulationBars(Simulation* value, int index, int count)
    : GUI_IconBase(20.0f), value_(value) {
    SetSubject(value);
    Place(index, count);
}

void GUI_SimulationBars::Place(int index, int count) {
    const Rect cell = SimulationBarRect(index, count, Metrics());
    SetRect(float(cell.left), float(cell.top), float(cell.right), float(cell.bottom));
    // Names of neighbouring bars lit together would cover each other: every
    // other column's tooltip stands a line lower, all below both rows.
    if (tooltip_) {
        const int column = index % SimulationBarsPerRow(count);
        const int below = SimulationBarsBottom(Metrics()) + 2;
        const int y = below + (column % 2) * (tooltip_->Height() + 2);
        const TooltipPosition at =
            KeepOnScreen((rect_.left + rect_.right) / 2 - tooltip_->Width() / 2, y,
                         tooltip_->Width(), tooltip_->Height(), Metrics().width, Metrics().height);
        tooltip_->SetPosition(float(at.x), float(at.y));
    }
    const LabelRoom room = ValueBarLabelRoom(count, Metrics().width, Metrics().height);
    labelSize_ = room.size;
    if (!value_) return;
    const std::string shortName = value_->ShortName();
    const FittedLabel label = FitLabel({value_->DisplayName(), shortName}, room);
    label_ = label.text;
    labelWidth_ = label.width;
}

bool GUI_SimulationBars::ShowsWholeName() const {
    return value_ && (label_ == value_->DisplayName() || label_ == value_->OwnShortName());
}

float GUI_SimulationBars::Goodness() const {
    if (!value_) return 0.5f;
    const float level = std::clamp(value_->GetValue(), 0.0f, 1.0f);
    return value_->Flag() ? level : 1.0f - level;
}

std::uint32_t GUI_SimulationBars::LevelColour(float goodness, float alpha) {
    const Skin& skin = Skin::Instance();
    if (goodness >= 0.66f) return FadedColour(skin.Get(Skin::COL_GOOD), alpha);
    if (goodness >= 0.33f) return FadedColour(skin.Get(Skin::COL_MIDDLING), alpha);
    return FadedColour(skin.Get(Skin::COL_BAD), alpha);
}

bool GUI_SimulationBars::IsHovered() const {
    if (!InterfacePermissions::Instance().IsShown(InterfacePermissions::kSimulationStrips))
        return false;
    const GuiInput& input = GuiInput::Instance();
    return RectContains(Rect{rect_.left + 2, rect_.top, rect_.right - 2, rect_.bottom},
                        input.mouseX, input.mouseY);
}

int GUI_SimulationBars::ShowFlag() const {
    return InterfacePermissions::kSimulationStrips;
}

void GUI_SimulationBars::Refresh() {
    HoverTest(InterfacePermissions::kSimulationStrips);
}

void GUI_SimulationBars::Draw() {
    const float alpha = DrawAlpha(InterfacePermissions::kSimulationStrips);
    const Rect inner{rect_.left + 2, rect_.top, rect_.right - 2, rect_.bottom};
    D3DEngine& engine = D3DEngine::Instance();
    const Skin& skin = Skin::Instance();
    FillBlitted(inner, IsHovered() ? skin.Get(Skin::COL_VALUEBARLIT)
                                   : FadedColour(skin.Get(Skin::COL_VALUEBAR), alpha));
    engine.DrawBevelRect(inner, FadedColour(skin.Get(Skin::COL_VALUEBAREDGE), alpha));
    DrawLevel(alpha);
    if (alpha <= 0.75f) return;
    const float centre = float(rect_.left + rect_.right) / 2.0f;
    GdiText::Instance().QueueText(std::trunc(centre - float(labelWidth_) / 2.0f),
                                  float(rect_.top) + 1.0f, label_, kValueFace, labelSize_, 0.0f,
                                  GdiText::kLeft, FadedColour(kLabelInk, alpha));
}

// A thin line along the bottom: its length is the level, its colour how good
// that level is, over a faint track of the whole range.
void GUI_SimulationBars::DrawLevel(float alpha) const {
    if (!value_) return;
    const float k = Metrics().fit;
    const int thickness = std::max(2, int(std::lround(3.0f * k)));
    const int bottom = rect_.bottom - std::max(2, int(std::lround(2.0f * k)));
    const int left = rect_.left + 6, right = rect_.right - 6;
    const float level = std::clamp(value_->GetValue(), 0.0f, 1.0f);
    FillBlitted(Rect{left, bottom - thickness, right, bottom},
                FadedColour(Skin::Instance().Get(Skin::COL_VALUETRACK), alpha));
    const int end = left + int(level * float(right - left));
    FillBlitted(Rect{left, bottom - thickness, std::max(end, left + 1), bottom},
                LevelColour(Goodness(), alpha));
}

void GUI_SimulationBars::Activate() {
    GUI_ModalHolder::Instance().PlayClickSound();
    // Shift-click is the neuron window's way in; until it exists, it opens
    // the value's details too.
    if (!InterfacePermissions::Instance().IsEnabled(InterfacePermissions::kValueDetails) &&
        !GuiInput::Instance().IsKeyDown(kLeftShiftScanCode))
        return;
    if (value_) OpenValueDetails(*value_);
}
