// The policy slider: a knob on a track that snaps to the policy's steps,
// moved by dragging or held arrow keys, with a ghost mark where the policy
// is heading. It tells its owner (the policy's window) of every change.
#pragma once

#include <memory>
#include <vector>

#include "engine/Sprite.h"
#include "gui/GUI_Tooltip.h"

class SliderConfiguration;

// What a slider edits: the policy's slider input, seen through its window.
class GUISliderOwner {
public:
    virtual ~GUISliderOwner() = default;
    // A new position (before snapping) while the player moves the knob.
    virtual void SliderMoved(float candidate) = 0;
    // The drag ended here: the pending change to record.
    virtual void SliderReleased(float value) = 0;
    // Where the policy is heading (the ghost mark) and where it stands now.
    virtual float SliderTarget() const = 0;
    virtual float SliderCurrent() const = 0;
};

class GUISlider {
public:
    static constexpr float kDefaultLength = 200.0f;
    // Holding an arrow key sweeps 0.01 per 12 milliseconds: the whole range
    // in 1.2 seconds.
    static constexpr double kKeyStepMilliseconds = 12.0;

    GUISlider(const SliderConfiguration* config, GUISliderOwner* owner);

    void SetPosition(float x, float y, float length = kDefaultLength);
    // v in 0..1; places the knob.
    void SetValue(float value);
    void Update();
    // A slider under a dialog or another window takes no drag and no keys.
    void SetInteractive(bool interactive) { interactive_ = interactive; }
    bool IsInteractive() const { return interactive_; }
    // Updates, then draws ticks, track, ghost mark and knob.
    void Draw();

    float Value() const { return value_; }
    bool IsDragging() const { return dragging_; }
    const Rect& Track() const { return track_; }
    const Rect& Knob() const { return knob_; }
    const Rect& Ghost() const { return ghost_; }
    float Snap(float value) const;
    // The mark rectangle for a value, knob or ghost.
    Rect MarkRect(float value) const;
    // Centre x of each step tick.
    std::vector<float> TickCentres() const;

private:
    void Take(float candidate);
    // One frame of held arrow keys: -1 left, +1 right.
    void Sweep(int direction, double elapsedMilliseconds);

    float value_ = 0.0f;
    float x_ = 0.0f, y_ = 0.0f, length_ = kDefaultLength;
    Rect track_, knob_, ghost_;
    bool dragging_ = false;
    bool interactive_ = true;
    const SliderConfiguration* config_;
    GUISliderOwner* owner_;
    std::unique_ptr<GUI_Tooltip> tooltip_;
    double lastUpdate_ = -1.0;
    // How far held arrow keys have carried the knob past its step, not yet
    // enough to reach the next one, and which way they carry it.
    float keyCarry_ = 0.0f;
    int keyDirection_ = 0;
};
