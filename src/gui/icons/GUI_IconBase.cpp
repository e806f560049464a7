// Map icons: registry, subject, highlight and fade.
#include "gui/icons/GUI_IconBase.h"

#include <algorithm>
#include <unordered_map>

#include "aids/InterfacePermissions.h"
#include "engine/Diagnostics.h"
#include "gui/GUI_FloatingLayer.h"
#include "gui/GuiInput.h"
#include "gui/icons/GUI_IconConnectors.h"
#include "simulation/Neuron.h"

namespace {

std::vector<GUI_IconBase*>& Registry() {
    static std::vector<GUI_IconBase*> icons;
    return icons;
}

std::unordered_map<const Neuron*, GUI_IconBase*>& ByNeuron() {
    static std::unordered_map<const Neuron*, GUI_IconBase*> icons;
    return icons;
}

struct HighlightState {
    int counter = kHighlightStart;
    bool noHighlight = false;
};

HighlightState& Highlighting() {
    static HighlightState state;
    return state;
}

const GUI_IconBase*& Pointed() {
    static const GUI_IconBase* icon = nullptr;
    return icon;
}

MapMetrics& CurrentMetrics() {
    static MapMetrics metrics;
    return metrics;
}

}  // namespace

GUI_IconBase::GUI_IconBase(float size)
    : connectors_(std::make_unique<GUI_IconConnectors>(this)),
      unscaledSize_(size),
      size_(size * Metrics().scale),
      baseSize_(size * Metrics().scale) {
    Registry().push_back(this);
}

GUI_IconBase::~GUI_IconBase() {
    auto& icons = Registry();
    icons.erase(std::remove(icons.begin(), icons.end(), this), icons.end());
    if (Pointed() == this) Pointed() = nullptr;
    auto it = ByNeuron().find(subject_);
    if (it != ByNeuron().end() && it->second == this) ByNeuron().erase(it);
    // No line of another icon may keep pointing here.
    GUI_IconConnectors::ForgetIcon(this);
}

void GUI_IconBase::SetSubject(Neuron* subject) {
    Assert(subject != nullptr, "GUI_IconBase", __LINE__);
    if (!subject) return;
    subject_ = subject;
    subjectSerial_ = subject->Serial();
    SetTooltip(subject->DisplayName().empty() ? subject->Name() : subject->DisplayName());
    ByNeuron()[subject] = this;
}

bool GUI_IconBase::IsSubject(const Neuron* neuron) const {
    return neuron == subject_ && neuron && neuron->Serial() == subjectSerial_;
}

void GUI_IconBase::DrawIconTooltip() {
    if (tooltip_) GUI_FloatingLayer::Instance().QueueMapLabel(tooltip_.get());
}

void GUI_IconBase::Move(float dx, float dy) {
    SetRect(float(rect_.left) + dx, float(rect_.top) + dy, float(rect_.right) + dx,
            float(rect_.bottom) + dy);
}

void GUI_IconBase::ArmTooltip() {
    if (tooltip_) tooltip_->Arm(GuiInput::Instance().stillFrames);
}

void GUI_IconBase::SetCentre(float x, float y) {
    const float half = baseSize_ / 2.0f;
    SetRect(x - half, y - half, x + half, y + half);
}

void GUI_IconBase::ApplyScale() {
    size_ = baseSize_ = unscaledSize_ * Metrics().scale;
}

MapPoint GUI_IconBase::Centre() const {
    return {float(rect_.left + rect_.right) / 2.0f, float(rect_.top + rect_.bottom) / 2.0f};
}

void GUI_IconBase::Highlight() {
    if (!InterfacePermissions::Instance().IsEnabled(InterfacePermissions::kHoverHighlight)) return;
    highlighted_ = true;
    alpha_ = 1.0f;
    Highlighting().counter = kHighlightStart;
}

void GUI_IconBase::Unhighlight() {
    highlighted_ = false;
    alpha_ = DimAlpha(Highlighting().counter);
    connectors_->Hide();
}

bool GUI_IconBase::IsKindShown() const {
    const int flag = ShowFlag();
    return flag < 0 || InterfacePermissions::Instance().IsShown(flag);
}

IconFootprint GUI_IconBase::Footprint() const {
    return {baseSize_ / 2.0f, baseSize_ / 2.0f};
}

bool GUI_IconBase::OnClick(float x, float y) {
    if (!IsKindShown() || !HitTest(x, y)) return false;
    Activate();
    return true;
}

void GUI_IconBase::RebuildConnectors() {
    connectors_->Rebuild();
}

void GUI_IconBase::ShowConnectors() {
    if (GuiInput::Instance().stillFrames < 5) return;
    if (!InterfacePermissions::Instance().IsEnabled(InterfacePermissions::kHoverHighlight)) return;
    connectors_->Show();
}

bool GUI_IconBase::HoverTest(int showFlag) {
    const GuiInput& input = GuiInput::Instance();
    if (!InterfacePermissions::Instance().IsShown(showFlag) || input.mouseOverWindow ||
        Pointed() != this)
        return false;
    Highlight();
    ShowConnectors();
    ArmTooltip();
    return true;
}

float GUI_IconBase::DrawAlpha(int showFlag) const {
    if (!InterfacePermissions::Instance().IsShown(showFlag)) return 0.1f;
    return NoHighlight() ? 1.0f : alpha_;
}

const std::vector<GUI_IconBase*>& GUI_IconBase::AllIcons() {
    return Registry();
}

GUI_IconBase* GUI_IconBase::IconFor(const Neuron* neuron) {
    const auto it = ByNeuron().find(neuron);
    return it == ByNeuron().end() ? nullptr : it->second;
}

GUI_IconBase* GUI_IconBase::TopmostAt(float x, float y) {
    const std::vector<GUI_IconBase*>& icons = Registry();
    for (auto it = icons.rbegin(); it != icons.rend(); ++it)
        if ((*it)->IsKindShown() && (*it)->HitTest(x, y)) return *it;
    return nullptr;
}

void GUI_IconBase::SetPointed(const GUI_IconBase* icon) {
    Pointed() = icon;
}

void GUI_IconBase::BeginHighlightFrame() {
    HighlightState& state = Highlighting();
    // Kept from running down for ever: anything at or below 0 means the same.
    state.counter = std::max(state.counter - kHighlightStep, -kHighlightStep);
    state.noHighlight = state.counter <= 0;
}

int GUI_IconBase::HighlightCounter() {
    return Highlighting().counter;
}
bool GUI_IconBase::NoHighlight() {
    return Highlighting().noHighlight;
}

void GUI_IconBase::ResetHighlight(int counter) {
    Highlighting().counter = counter;
    Highlighting().noHighlight = counter <= 0;
}

void GUI_IconBase::SetMetrics(const MapMetrics& metrics) {
    CurrentMetrics() = metrics;
}
const MapMetrics& GUI_IconBase::Metrics() {
    return CurrentMetrics();
}
