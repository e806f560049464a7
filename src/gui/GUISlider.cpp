// Policy sliders: dragging, arrow keys, snapping and drawing.
#include "gui/GUISlider.h"

#include <algorithm>

#include "engine/D3DEngine.h"
#include "engine/Diagnostics.h"
#include "engine/Skin.h"
#include "gui/GuiDrawing.h"
#include "gui/GuiInput.h"
#include "politics/SliderConfiguration.h"
#include "world/StringTable.h"

namespace {
constexpr SkinColour kGradientTop{Skin::COL_SLIDERTOP};
constexpr SkinColour kGradientBottom{Skin::COL_SLIDERBOTTOM};
}  // namespace

GUISlider::GUISlider(const SliderConfiguration* config, GUISliderOwner* owner)
    : config_(config), owner_(owner) {
    tooltip_ = std::make_unique<GUI_Tooltip>(GetString("TOOLTIP_SLIDER"), 30);
    SetPosition(0.0f, 0.0f);
}

void GUISlider::SetPosition(float x, float y, float length) {
    x_ = x, y_ = y, length_ = length;
    track_ = Rect{int(x), int(y + 8), int(x + length), int(y + 14)};
    SetValue(value_);
}

void GUISlider::SetValue(float value) {
    Assert(value >= 0.0f, "GUISlider", __LINE__);
    Assert(value <= 1.0f, "GUISlider", __LINE__);
    value_ = std::clamp(value, 0.0f, 1.0f);
    knob_ = MarkRect(value_);
    if (ghost_.right == 0) ghost_ = knob_;
}

Rect GUISlider::MarkRect(float value) const {
    const float centre = x_ + value * length_;
    return Rect{int(centre - 7), int(y_), int(centre + 7), int(y_ + 22)};
}

float GUISlider::Snap(float value) const {
    return config_ ? config_->Snap(value) : value;
}

void GUISlider::Take(float candidate) {
    const float snapped = Snap(candidate);
    if (snapped == value_) return;
    SetValue(snapped);
    if (owner_) owner_->SliderMoved(candidate);
}

void GUISlider::Update() {
    const GuiInput& input = GuiInput::Instance();
    const double now = input.nowMilliseconds;
    if (lastUpdate_ < 0.0) lastUpdate_ = now;
    if (!interactive_) {
        dragging_ = false;
        keyCarry_ = 0.0f;
        lastUpdate_ = now;
        return;
    }
    if (!dragging_ && input.leftDown && RectContains(knob_, input.mouseX, input.mouseY)) {
        dragging_ = true;
        keyCarry_ = 0.0f;
    } else if (dragging_ && !input.leftDown) {
        dragging_ = false;
        if (owner_) owner_->SliderReleased(value_);
    }
    if (!dragging_) {
        const int direction = (input.IsKeyDown(GuiInput::kRightArrow) ? 1 : 0) -
                              (input.IsKeyDown(GuiInput::kLeftArrow) ? 1 : 0);
        Sweep(direction, now - lastUpdate_);
        const bool over = RectContains(knob_, input.mouseX, input.mouseY) ||
                          RectContains(ghost_, input.mouseX, input.mouseY);
        if (over) {
            tooltip_->Arm(input.stillFrames);
            const TooltipPosition at =
                KeepOnScreen(int(input.mouseX) + 30, int(input.mouseY) - 30, tooltip_->Width(),
                             tooltip_->Height(), int(ScreenWidth()), int(ScreenHeight()));
            tooltip_->SetPosition(float(at.x), float(at.y));
            tooltip_->Draw();
        }
    } else {
        Take(std::clamp((input.mouseX - x_) / length_, 0.0f, 1.0f));
    }
    lastUpdate_ = now;
}

// A frame moves the knob by far less than a step (1.4 hundredths at 60
// frames a second against a quarter for five steps), so the travel is carried
// over between frames: snapping each frame's move on its own would round it
// away and the knob would never leave its step.
void GUISlider::Sweep(int direction, double elapsedMilliseconds) {
    if (direction != keyDirection_) keyCarry_ = 0.0f;
    keyDirection_ = direction;
    if (direction == 0) return;
    const float travel = float(elapsedMilliseconds / kKeyStepMilliseconds) * 0.01f;
    const float candidate =
        std::clamp(value_ + keyCarry_ + float(direction) * travel, 0.0f, 1.0f);
    Take(candidate);
    // What is left over after the knob settled on its step; at either end
    // there is nowhere further to go.
    keyCarry_ = candidate - value_;
    if ((direction < 0 && value_ <= 0.0f) || (direction > 0 && value_ >= 1.0f)) keyCarry_ = 0.0f;
}

std::vector<float> GUISlider::TickCentres() const {
    std::vector<float> centres;
    const int steps = config_ ? config_->Steps() : 0;
    // One step has nowhere to go: its single tick sits at the left end
    // instead of dividing by zero.
    for (int i = 0; i < steps; ++i)
        centres.push_back(steps > 1 ? x_ + 2.0f + float(i) * (length_ - 4.0f) / float(steps - 1)
                                    : x_ + 2.0f);
    return centres;
}

void GUISlider::Draw() {
    Update();
    if (owner_) {
        ghost_ = MarkRect(Snap(std::clamp(owner_->SliderTarget(), 0.0f, 1.0f)));
        if (!dragging_) knob_ = MarkRect(Snap(std::clamp(owner_->SliderCurrent(), 0.0f, 1.0f)));
    }
    const Skin& skin = Skin::Instance();
    for (float centre : TickCentres())
        FillOutlined(Rect{int(centre - 2), int(y_ + 4), int(centre + 2), int(y_ + 18)},
                     skin.Get(Skin::COL_SLIDERTICK), skin.Get(Skin::COL_SLIDERTICKEDGE));
    D3DEngine& engine = D3DEngine::Instance();
    FillVerticalGradient(track_, kGradientTop, kGradientBottom);
    engine.DrawRectOutline(track_, skin.Get(Skin::COL_SLIDEREDGE));
    FillOutlined(ghost_, skin.Get(Skin::COL_SLIDERGHOST), skin.Get(Skin::COL_SLIDERGHOSTEDGE));
    FillVerticalGradient(knob_, kGradientTop, kGradientBottom);
    engine.DrawRectOutline(knob_, skin.Get(Skin::COL_SLIDEREDGE));
}
