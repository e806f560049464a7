// One connector line of the map: an effect drawn from the icon of its cause
// to the icon of what it affects, green where it helps and red where it
// harms, with dots that run toward the affected icon faster the stronger
// the effect is.
#pragma once

#include <cstdint>
#include <vector>

#include "engine/Skin.h"
#include "gui/icons/MapGeometry.h"

class GUI_IconBase;
class NeuralEffect;

class GUI_NeuralEffect {
public:
    static constexpr float kThickness = 8.0f;
    static constexpr float kDotSize = 6.0f;
    static constexpr float kPieceLength = 20.0f;
    static constexpr SkinColour kInitialColour{Skin::COL_CONNECTORNEW};
    // The dots' speed is set per sixtieth of a second, whatever the frame rate.
    static constexpr double kDotStepMilliseconds = 1000.0 / 60.0;
    // Left alone this long, the dots stop where they are: the lines still
    // show every link and its colour, and a picture that stands still costs
    // next to nothing to keep on screen. Any input sets them running again.
    static constexpr double kDotsRestAfterMilliseconds = 8000.0;

    GUI_NeuralEffect(NeuralEffect* effect, GUI_IconBase* source, GUI_IconBase* target);

    // Colour, length and angle afresh, the line, and one step of the dots.
    void Draw();
    // The effect's contribution as it stands, with a policy's phasing-in.
    static float CurrentValue(const NeuralEffect& effect);

    NeuralEffect* Effect() const { return effect_; }
    GUI_IconBase* SourceIcon() const { return source_; }
    GUI_IconBase* TargetIcon() const { return target_; }
    float Length() const { return length_; }
    float Angle() const { return angle_; }
    std::uint32_t Colour() const { return colour_; }
    const std::vector<float>& Dots() const { return dots_; }

private:
    void Measure();

    NeuralEffect* effect_;
    GUI_IconBase* source_;
    GUI_IconBase* target_;
    float length_ = 0.0f;
    float angle_ = 0.0f;
    std::uint32_t colour_ = kInitialColour;
    std::vector<float> dots_;
    double lastStep_ = -1.0;
};
