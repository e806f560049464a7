// Voter-group strips.
#include "gui/icons/GUI_peopleStrip.h"

#include <algorithm>
#include <cmath>

#include "aids/InterfacePermissions.h"
#include "engine/D3DEngine.h"
#include "engine/Diagnostics.h"
#include "engine/GdiText.h"
#include "engine/Skin.h"
#include "gui/GUI_ModalHolder.h"
#include "gui/GuiInput.h"
#include "gui/InfoWindows.h"
#include "gui/icons/IconDrawing.h"
#include "gui/icons/MapText.h"
#include "gui/icons/VoterGroupGrid.h"
#include "politics/VoterType.h"

GUI_peopleStrip::GUI_peopleStrip(VoterType* group, VoterGroupGrid& grid)
    : GUI_IconBase(kWidth), group_(group) {
    Assert(group != nullptr, "GUI_peopleStrip", __LINE__);
    if (group) SetSubject(group);
    Place(grid);
}

void GUI_peopleStrip::Place(VoterGroupGrid& grid) {
    const std::optional<MapPoint> corner = grid.TakeFirstFree();
    if (!corner) FatalError("Failed to find a position for icon", "GUI_peopleStrip", __LINE__);
    const float k = Metrics().fit;
    SetRect(corner->x, corner->y, corner->x + kWidth * k, corner->y + kHeight * k);
    const LabelRoom room = VoterStripLabelRoom(Metrics().width, Metrics().height);
    labelSize_ = room.size;
    if (!group_) return;
    const FittedLabel label = FitLabel({group_->DisplayName(), group_->ShortName()}, room);
    label_ = label.text;
    labelWidth_ = label.width;
}

bool GUI_peopleStrip::ShowsWholeName() const {
    return group_ && (label_ == group_->DisplayName() || label_ == group_->OwnShortName());
}

float GUI_peopleStrip::Approval() const {
    return group_ ? std::clamp(group_->Value(), 0.0f, 1.0f) : 0.0f;
}

float GUI_peopleStrip::ApprovalChange() const {
    return group_ ? Approval() - group_->History()[1] : 0.0f;
}

int GUI_peopleStrip::FigureCount(float share) {
    return std::clamp(int(std::lround(share * float(kMaxFigures))), 1, kMaxFigures);
}

int GUI_peopleStrip::ShowFlag() const {
    return InterfacePermissions::kPeopleStrips;
}

void GUI_peopleStrip::Refresh() {
    HoverTest(InterfacePermissions::kPeopleStrips);
}

void GUI_peopleStrip::Draw() {
    const float alpha = DrawAlpha(InterfacePermissions::kPeopleStrips);
    const GuiInput& input = GuiInput::Instance();
    const bool inside = Contains(input.mouseX, input.mouseY);
    D3DEngine& engine = D3DEngine::Instance();
    const Skin& skin = Skin::Instance();
    FillBlitted(
        Rect{rect_.left + 1, rect_.top + 1, rect_.right + 1, rect_.bottom + 1},
        FadedColour(skin.Get(inside ? Skin::COL_STRIPSHADOWLIT : Skin::COL_STRIPSHADOW), alpha));
    const int bar = int(Approval() * float(width_));
    FillBlitted(Rect{rect_.left, rect_.top, rect_.left + bar, rect_.bottom},
                FadedColour(skin.Get(inside ? Skin::COL_STRIPBARLIT : Skin::COL_STRIPBAR), alpha));
    engine.DrawBevelRect(
        rect_, FadedColour(skin.Get(inside ? Skin::COL_STRIPEDGELIT : Skin::COL_STRIPEDGE), alpha));
    DrawFigures(alpha);
    if (alpha < 0.75f) return;
    const float centre = float(rect_.left + rect_.right) / 2.0f;
    GdiText::Instance().QueueText(std::trunc(centre - float(labelWidth_) / 2.0f),
                                  float(rect_.top) + 2.0f * Metrics().fit, label_, kStripFace,
                                  labelSize_, 0.0f, GdiText::kLeft, FadedColour(kLabelInk, alpha));
    DrawTrendArrow();
}

void GUI_peopleStrip::DrawFigures(float alpha) const {
    if (!group_ || !group_->PercentageNeuron()) return;
    const float k = Metrics().fit;
    const int count = FigureCount(group_->PercentageNeuron()->Value());
    const float step = (float(width_) - 16.0f * k) / float(kMaxFigures);
    const float size = 8.0f * k;
    D3DEngine::Instance().SetTexture("gui_person.dds");
    for (int i = 0; i < count; ++i) {
        Sprite figure;
        figure.SetSize(size, size);
        figure.SetPosition(float(rect_.left) + 8.0f * k + step * (float(i) + 0.5f),
                           float(rect_.bottom) - 11.0f * k + size / 2.0f);
        figure.SetColour(FadedColour(Skin::Instance().Get(Skin::COL_STRIPFIGURE), alpha));
        figure.Draw();
    }
}

void GUI_peopleStrip::DrawTrendArrow() const {
    const float change = ApprovalChange();
    if (std::fabs(change) <= kTrendThreshold) return;
    const float k = Metrics().fit;
    const float centre = float(rect_.left + rect_.right) / 2.0f;
    const float offset = float(labelWidth_) / 2.0f + 8.0f * k;
    Sprite arrow;
    arrow.SetSize(8.0f * k, 8.0f * k);
    // A fall points down (turned, not just mirrored), so the arrow says it
    // without its colour.
    arrow.SetAngle(SpriteSafeAngle(change > 0.0f ? 0.0f : 180.0f));
    arrow.SetPosition(change > 0.0f ? centre + offset : centre - offset,
                      float(rect_.top) + 9.0f * k);
    arrow.SetColour(Skin::Instance().Get(change > 0.0f ? Skin::COL_TRENDUP : Skin::COL_TRENDDOWN));
    D3DEngine::Instance().SetTexture("gui_arrow.dds");
    arrow.Draw();
}

void GUI_peopleStrip::Activate() {
    GUI_ModalHolder::Instance().PlayClickSound();
    if (!InterfacePermissions::Instance().IsEnabled(InterfacePermissions::kPeopleDetails)) return;
    if (group_) OpenVoterGroupDetails(*group_);
}
