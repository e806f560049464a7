// A policy in force on the map: its glyph on a badge in its group's colour,
// in its group's wedge.
#pragma once

#include <string>

#include "gui/icons/GUI_IconBase.h"

class Policy;

class GUI_PolicyIcon : public GUI_IconBase {
public:
    static constexpr float kIconSize = 50.0f;
    // A click counts within this distance of the centre (at scale 1).
    static constexpr float kClickRadius = 24.0f;
    // The halo's side, as a share of the icon's.
    static constexpr float kHaloShare = 1.3f;

    explicit GUI_PolicyIcon(Policy* policy);

    int ShowFlag() const override;
    void Refresh() override;
    void Draw() override;
    bool HitTest(float x, float y) const override;
    IconFootprint Footprint() const override;
    void Activate() override;

    Policy* GetPolicy() const { return policy_; }
    // The texture drawn on the badge; empty when the policy has none.
    const std::string& IconTexture() const { return iconTexture_; }

    // The policy's own icon file, else "icons_<lower-case name>.dds" when one
    // was generated for it; empty when neither exists.
    static std::string FindIconTexture(const Policy& policy);

private:
    Policy* policy_;
    std::string iconTexture_;
};
