// Plain slider controls.
#include "gui/GUI_SliderControl.h"

#include <algorithm>

#include "engine/D3DEngine.h"
#include "engine/Skin.h"
#include "engine/StyleSheet.h"
#include "gui/GuiDrawing.h"
#include "gui/GuiInput.h"
#include "gui/GuiText.h"

float SliderValueAt(float mouseX, int left, int right) {
    if (right <= left) return 0.0f;
    const float x = std::clamp(mouseX, float(left), float(right));
    return (x - float(left)) / float(right - left);
}

GUI_SliderControl::GUI_SliderControl(float* value, std::string_view label,
                                     std::function<void(float)> changed)
    : value_(value), label_(label.substr(0, 31)), changed_(std::move(changed)) {}

Rect GUI_SliderControl::TrackRect() const {
    const int centre = (rect_.top + rect_.bottom) / 2;
    return Rect{rect_.left, centre - 3, rect_.right, centre + 3};
}

Rect GUI_SliderControl::KnobRect() const {
    const float value = value_ ? std::clamp(*value_, 0.0f, 1.0f) : 0.0f;
    const int x = rect_.left + int(float(width_) * value);
    const int centre = (rect_.top + rect_.bottom) / 2;
    return Rect{x - 6, centre - 6, x + 6, centre + 6};
}

void GUI_SliderControl::Write(float value) {
    if (!value_) return;
    *value_ = value;
    if (changed_) changed_(value);
}

void GUI_SliderControl::Update() {
    const GuiInput& input = GuiInput::Instance();
    const bool pressed = input.leftDown && !wasDown_;
    wasDown_ = input.leftDown;
    if (dragging_) {
        if (!input.leftDown)
            dragging_ = false;
        else
            Write(SliderValueAt(input.mouseX, rect_.left, rect_.right));
        return;
    }
    // A fresh press on the knob grabs it; one on the track (a little taller
    // than drawn, so it is easy to hit) jumps there and grabs it too.
    if (!pressed) return;
    Rect target = TrackRect();
    target.top -= 6, target.bottom += 6;
    if (RectContains(KnobRect(), input.mouseX, input.mouseY) ||
        RectContains(target, input.mouseX, input.mouseY)) {
        dragging_ = true;
        Write(SliderValueAt(input.mouseX, rect_.left, rect_.right));
    }
}

void GUI_SliderControl::Draw() {
    Update();
    FillOutlined(TrackRect(), Skin::Instance().Get(Skin::COL_SLIDERTRACK),
                 Skin::Instance().Get(Skin::COL_SLIDEROUTLINE));
    FillOutlined(KnobRect(), Skin::Instance().Get(Skin::COL_SLIDERKNOB),
                 Skin::Instance().Get(Skin::COL_SLIDEROUTLINE));
    DrawStyledText(StyleSheet::kApproval, float(rect_.left), float(rect_.top + 20), label_,
                   float(width_), GdiText::kCentre);
}
