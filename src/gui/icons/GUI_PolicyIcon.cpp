// Policy icons.
#include "gui/icons/GUI_PolicyIcon.h"

#include <cmath>

#include "aids/InterfacePermissions.h"
#include "core/TextUtilities.h"
#include "engine/D3DEngine.h"
#include "engine/Diagnostics.h"
#include "engine/Skin.h"
#include "gui/GUI_ModalHolder.h"
#include "gui/PolicyWindows.h"
#include "gui/icons/IconDrawing.h"
#include "platform/FileSystem.h"
#include "politics/Policy.h"

namespace {
std::uint32_t White(float alpha) {
    return FadedColour(kUntinted, alpha);
}
}  // namespace

GUI_PolicyIcon::GUI_PolicyIcon(Policy* policy) : GUI_IconBase(kIconSize), policy_(policy) {
    SetSubject(policy);
    if (policy) iconTexture_ = FindIconTexture(*policy);
}

std::string GUI_PolicyIcon::FindIconTexture(const Policy& policy) {
    if (policy.IconFile().size() >= 2) return policy.IconFile();
    // Icons the asset tool made live in the generated texture folders, which
    // the policy's own check of "data/bitmaps" does not see.
    const std::string name = "icons_" + LowerCase(policy.Name()) + ".dds";
    for (const std::string& folder : D3DEngine::Instance().TextureDirectories())
        if (platform::FileExists(folder + "/" + name)) return name;
    return {};
}

int GUI_PolicyIcon::ShowFlag() const {
    return InterfacePermissions::kPolicyIcons;
}

void GUI_PolicyIcon::Refresh() {
    HoverTest(InterfacePermissions::kPolicyIcons);
}

void GUI_PolicyIcon::Draw() {
    const float alpha = DrawAlpha(InterfacePermissions::kPolicyIcons);
    Assert(policy_ && policy_->IsInForce(), "GUI_PolicyIcon", __LINE__);
    const MapPoint centre = Centre();
    const float scale = Metrics().scale;
    DrawCentredTexture("icon_halo.dds", centre.x, centre.y, kHaloShare * kIconSize * scale,
                       White(alpha));
    DrawCentredTexture("blank_blueicon.dds", centre.x, centre.y, kIconSize * scale, White(alpha));
    if (iconTexture_.size() >= 2)
        DrawCentredTexture(iconTexture_.c_str(), centre.x, centre.y, 0.75f * kIconSize * scale,
                           White(alpha));
}

bool GUI_PolicyIcon::HitTest(float x, float y) const {
    const MapPoint centre = Centre();
    const float dx = x - centre.x, dy = y - centre.y;
    const float radius = kClickRadius * Metrics().scale;
    return dx * dx + dy * dy < radius * radius;
}

IconFootprint GUI_PolicyIcon::Footprint() const {
    return {baseSize_ / 2.0f, kHaloShare * baseSize_ / 2.0f};
}

void GUI_PolicyIcon::Activate() {
    GUI_ModalHolder::Instance().PlayClickSound();
    if (!InterfacePermissions::Instance().IsEnabled(InterfacePermissions::kPolicyDetails)) return;
    if (policy_) OpenPolicyDetails(*policy_);
}
