// A plain labelled slider bound to a float 0..1 (the options screen's
// volumes and difficulty): drag the knob or click the track.
#pragma once

#include <functional>
#include <string>
#include <string_view>

#include "gui/GUI_BaseElement.h"

// The value under the pointer on a track from `left` to `right`, clamped to 0..1.
float SliderValueAt(float mouseX, int left, int right);

class GUI_SliderControl : public GUI_BaseElement {
public:
    GUI_SliderControl(float* value, std::string_view label,
                      std::function<void(float)> changed = {});

    void Update();
    void Draw() override;

    Rect TrackRect() const;
    Rect KnobRect() const;
    bool IsDragging() const { return dragging_; }
    const std::string& Label() const { return label_; }

private:
    void Write(float value);

    float* value_;
    std::string label_;
    std::function<void(float)> changed_;
    bool dragging_ = false;
    bool wasDown_ = false;
};
