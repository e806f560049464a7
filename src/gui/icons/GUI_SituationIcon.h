// An active situation on the map: a badge whose halo says how good or bad
// things are, pulsing while a bad situation is severe.
#pragma once

#include "gui/icons/GUI_IconBase.h"

class Situation;

class GUI_SituationIcon : public GUI_IconBase {
public:
    static constexpr float kIconSize = 50.0f;
    static constexpr float kSeverePulseSpeed = 400.0f;
    // The halo's side, as a share of the drawn size.
    static constexpr float kHaloShare = 1.6f;

    explicit GUI_SituationIcon(Situation* situation);

    int ShowFlag() const override;
    void Refresh() override;
    void Draw() override;
    bool HitTest(float x, float y) const override;
    // The room of the icon at the height of its pulse.
    IconFootprint Footprint() const override;
    void Activate() override;

    Situation* GetSituation() const { return situation_; }
    float PulseSpeed() const { return pulseSpeed_; }

    // Green from 0.66, yellow from 0.33, red below, by the goodness.
    static std::uint32_t HaloColour(float goodness, float alpha);

private:
    Situation* situation_;
};
