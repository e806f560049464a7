// The event window.
#include "gui/GUI_EventWindow.h"

#include <algorithm>

#include "engine/D3DEngine.h"
#include "engine/StyleSheet.h"
#include "gui/GUI_TextButton.h"
#include "gui/InfoDrawing.h"
#include "world/Event.h"
#include "world/StringTable.h"

namespace {
constexpr float kWidth = 560.0f;
constexpr float kIcon = 64.0f;
constexpr float kLeft = 30.0f;
constexpr float kTextLeft = kLeft + kIcon + 18.0f;
constexpr float kTop = 52.0f;
constexpr float kRow = 20.0f;
constexpr size_t kMaxRows = 8;
// Grudges are sized like the pushes of policies; the bars enlarge them.
constexpr float kBarGain = 3.0f;

bool IsWorthNaming(const Neuron& target, const Event& event) {
    if (&target == &event) return false;
    if (target.Kind() == NeuronKind::Event || target.Kind() == NeuronKind::VoterFrequency)
        return false;
    return target.Name().empty() || target.Name()[0] != '_' || !target.DisplayName().empty();
}
}  // namespace

GUI_EventWindow::GUI_EventWindow(const Event& event)
    : GUI_InfoWindow(event.DisplayName().empty() ? event.Name() : event.DisplayName(), kWidth,
                     300.0f),
      event_(&event),
      description_(event.Description()) {
    for (const AppliedEffect& effect : event.AppliedEffects()) {
        if (!effect.target || !IsWorthNaming(*effect.target, event)) continue;
        if (effects_.size() >= kMaxRows) break;
        effects_.push_back({effect.target, ReadableName(*effect.target), effect.value});
    }
    descriptionHeight_ = std::max(
        kIcon, TextHeight(StyleSheet::kParagraph, description_, kWidth - kTextLeft - kLeft));
    const float listTop = kTop + descriptionHeight_ + 18.0f;
    const float height =
        listTop + (effects_.empty() ? 0.0f : 28.0f + float(effects_.size()) * kRow) + 70.0f;
    Resize(kWidth, height);
    auto* ok = Add<GUI_TextButton>(GetString("GUI_CONTINUE"), [this] { Close(); });
    Place(ok, kWidth / 2.0f - 90.0f, height - 52.0f, kWidth / 2.0f + 90.0f, height - 18.0f);
    event.PlaySound();
}

Event* GUI_EventWindow::GetEvent() const {
    return static_cast<Event*>(event_.Get());
}

void GUI_EventWindow::DrawContent() {
    D3DEngine& engine = D3DEngine::Instance();
    engine.SetTexture("gui_event_icon.dds");
    Sprite icon;
    icon.SetSize(Px(kIcon), Px(kIcon));
    icon.SetPosition(X(kLeft + kIcon / 2.0f), Y(kTop + kIcon / 2.0f));
    icon.Draw();
    Text(StyleSheet::kParagraph, kTextLeft, kTop, description_, kWidth - kTextLeft - kLeft);
    if (effects_.empty()) return;
    float y = kTop + descriptionHeight_ + 18.0f;
    Rule(y - 6.0f);
    Text(StyleSheet::kHeadline, kLeft, y, GetString("POLICY_EFFECTS"));
    y += 28.0f;
    for (const InfluenceRow& row : effects_) {
        Text(StyleSheet::kApproval, kLeft, y, row.name);
        DrawSignedBar(Rect{int(X(kWidth - 160.0f)), int(Y(y + 5.0f)), int(X(kWidth - kLeft)),
                           int(Y(y + 12.0f))},
                      row.output * kBarGain);
        y += kRow;
    }
}
