// Situation icons.
#include "gui/icons/GUI_SituationIcon.h"

#include <cmath>

#include "aids/InterfacePermissions.h"
#include "engine/Skin.h"
#include "gui/GUI_ModalHolder.h"
#include "gui/InfoWindows.h"
#include "gui/icons/IconDrawing.h"
#include "politics/Situation.h"

GUI_SituationIcon::GUI_SituationIcon(Situation* situation)
    : GUI_IconBase(kIconSize), situation_(situation) {
    SetSubject(situation);
}

std::uint32_t GUI_SituationIcon::HaloColour(float goodness, float alpha) {
    const Skin& skin = Skin::Instance();
    if (goodness >= 0.66f) return FadedColour(skin.Get(Skin::COL_HALOGOOD), alpha);
    if (goodness >= 0.33f) return FadedColour(skin.Get(Skin::COL_HALOMIDDLE), alpha);
    return FadedColour(skin.Get(Skin::COL_HALOBAD), alpha);
}

int GUI_SituationIcon::ShowFlag() const {
    return InterfacePermissions::kSituationIcons;
}

void GUI_SituationIcon::Refresh() {
    HoverTest(InterfacePermissions::kSituationIcons);
    pulsePhase_ += pulseSpeed_ * 0.0005f;
    size_ = pulseSpeed_ == 0.0f ? baseSize_ : baseSize_ + std::sin(pulsePhase_) * baseSize_ / 8.0f;
}

void GUI_SituationIcon::Draw() {
    if (!situation_) return;
    const float alpha = DrawAlpha(InterfacePermissions::kSituationIcons);
    const MapPoint centre = Centre();
    DrawCentredTexture("event_icon_halo.dds", centre.x, centre.y, kHaloShare * size_,
                       HaloColour(situation_->Goodness(), alpha));
    DrawCentredTexture("event_icon.dds", centre.x, centre.y, size_, FadedColour(kUntinted, alpha));
    pulseSpeed_ =
        !situation_->IsPositive() && situation_->Value() > 0.7f ? kSeverePulseSpeed : 0.0f;
}

bool GUI_SituationIcon::HitTest(float x, float y) const {
    const MapPoint centre = Centre();
    const float dx = x - centre.x, dy = y - centre.y, radius = size_ / 2.0f;
    return dx * dx + dy * dy < radius * radius;
}

IconFootprint GUI_SituationIcon::Footprint() const {
    const float largest = baseSize_ * 9.0f / 8.0f;
    return {largest / 2.0f, kHaloShare * largest / 2.0f};
}

void GUI_SituationIcon::Activate() {
    GUI_ModalHolder::Instance().PlayClickSound();
    if (!InterfacePermissions::Instance().IsEnabled(InterfacePermissions::kSituationDetails))
        return;
    if (situation_) OpenSituationDetails(*situation_);
}
