// Connector lines.
#include "gui/icons/GUI_NeuralEffect.h"

#include <algorithm>
#include <cmath>

#include "engine/D3DEngine.h"
#include "gui/GuiInput.h"
#include "gui/icons/GUI_IconBase.h"
#include "gui/icons/IconDrawing.h"
#include "simulation/NeuralEffect.h"

GUI_NeuralEffect::GUI_NeuralEffect(NeuralEffect* effect, GUI_IconBase* source, GUI_IconBase* target)
    : effect_(effect), source_(source), target_(target) {
    Measure();
    const int count = DotCount(length_);
    dots_.reserve(size_t(count));
    for (int i = 0; i < count; ++i) dots_.push_back(float(i) * kDotSpacing);
}

float GUI_NeuralEffect::CurrentValue(const NeuralEffect& effect) {
    const Neuron* source = effect.Source();
    // The stored output, so drawing never evaluates (or moves) the effect.
    float value = effect.StoredOutput();
    if (source && source->Kind() == NeuronKind::Policy) value *= source->OutputFactor();
    return value;
}

void GUI_NeuralEffect::Measure() {
    const LineMeasure line = MeasureLine(source_->Centre(), target_->Centre());
    length_ = line.length;
    angle_ = line.angle;
}

void GUI_NeuralEffect::Draw() {
    const float value = CurrentValue(*effect_);
    colour_ = ConnectorColour(value);
    Measure();
    const MapPoint from = source_->Centre();
    D3DEngine& engine = D3DEngine::Instance();
    engine.SetTexture("line.dds");
    // Laid as short pieces end to end: the renderer rasterises a turned quad
    // over its whole bounding box, which for one long diagonal piece is most
    // of the screen.
    const int pieces = std::max(1, int(std::ceil(length_ / kPieceLength)));
    const float piece = length_ / float(pieces);
    const float rotation = SpriteSafeAngle(LineSpriteRotation(angle_));
    for (int i = 0; i < pieces; ++i) {
        const MapPoint middle = AlongLine(from, angle_, (float(i) + 0.5f) * piece);
        Sprite line;
        line.SetSize(piece, kThickness);
        line.SetAngle(rotation);
        line.SetPosition(middle.x, middle.y);
        line.SetColour(colour_);
        line.Draw();
    }
    if (!target_->ShowsWholeName()) target_->ArmTooltip();
    const GuiInput& input = GuiInput::Instance();
    const double now = input.nowMilliseconds;
    // A long stall (a turn, a dragged window) is no reason for a jump.
    const double elapsed = lastStep_ < 0.0 ? 0.0 : std::clamp(now - lastStep_, 0.0, 100.0);
    lastStep_ = now;
    const bool resting = now - input.lastInputMilliseconds > kDotsRestAfterMilliseconds;
    const float steps = resting ? 0.0f : float(elapsed / kDotStepMilliseconds);
    const int half = int(kDotSize / 2.0f);
    for (float& offset : dots_) {
        offset = AdvanceDot(offset, value * steps, length_);
        const MapPoint dot = AlongLine(from, angle_, offset);
        const int x = int(dot.x), y = int(dot.y);
        FillBlitted(Rect{x - half, y - half, x + half, y + half}, colour_);
    }
}
