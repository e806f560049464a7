// The guided tour's step window: a paper panel with the step's paragraph and
// a Next button, placed where the step asks on the 1024 x 768 screen the tour
// was written for, scaled to the real screen and kept whole on it.
#pragma once

#include <functional>
#include <string>
#include <string_view>

#include "gui/GUI_InfoWindow.h"

class GUI_TextButton;

// The window's top-left corner on a screen of the given size: the position
// written for 1024 x 768 scaled to the screen, then moved just enough that
// the whole window stays on it.
struct StepWindowPlace {
    float left = 0.0f;
    float top = 0.0f;
};
StepWindowPlace PlaceStepWindow(float x, float y, float windowWidth, float windowHeight,
                                int screenWidth, int screenHeight);

class GUI_TutorialWindow : public GUI_InfoWindow {
public:
    static constexpr float kWidth = 400.0f;
    static constexpr float kHeight = 300.0f;
    static constexpr float kTextWidth = 360.0f;
    // Centred on the reference screen: where a step without a place goes.
    static constexpr float kCentreX = (1024.0f - kWidth) / 2.0f;
    static constexpr float kCentreY = (768.0f - kHeight) / 2.0f;

    explicit GUI_TutorialWindow(std::function<void()> onNext);

    // Shows step `index` (0-based) of `count` at the step's position; a
    // paragraph too long for the window makes it taller rather than cut.
    void ShowStep(std::string_view text, size_t index, size_t count, float x, float y);

    const std::string& StepText() const { return text_; }
    GUI_TextButton* NextButton() const { return next_; }

protected:
    void DrawContent() override;

private:
    std::string text_;
    std::string counter_;
    GUI_TextButton* next_ = nullptr;
};
