// The options screen: sliders for the settings that shape a game, the screen
// size, and check boxes for the display and the rules a player may switch
// off. Every change takes effect at once and is kept for the next run.
#pragma once

#include <array>
#include <memory>
#include <vector>

#include "gui/GUI_SliderControl.h"
#include "gui/GuiScreen.h"

class GUI_CheckBox;
class GUI_TextButton;

class OptionsScreen : public GuiScreen {
public:
    struct Resolution {
        const char* label;
        int width, height;
    };
    static const std::array<Resolution, 4>& Resolutions();

    // Writes the size into the screen configuration and restarts the display
    // with it once the frame is over.
    static void ChooseResolution(int choice);

    const std::vector<std::unique_ptr<GUI_SliderControl>>& Sliders() const { return sliders_; }
    const std::vector<GUI_CheckBox*>& CheckBoxes() const { return checkBoxes_; }
    const std::vector<GUI_TextButton*>& ResolutionButtons() const { return resolutionButtons_; }

protected:
    void Build(int width, int height, float scale) override;
    void DrawBackground() override;
    void DrawForeground() override;

private:
    void BuildSliders(float left, float top, float scale);
    void BuildCheckBoxes(float left, float top, float scale);
    void BuildResolutions(float left, float top, float scale);

    Rect panel_;
    float rowScale_ = 1.0f;
    float sliderTop_ = 0.0f;
    float checkTop_ = 0.0f;
    float resolutionTop_ = 0.0f;
    // The sliders edit copies; each change is written to the options.
    std::array<float, 5> sliderValues_{};
    std::vector<std::unique_ptr<GUI_SliderControl>> sliders_;
    std::vector<GUI_CheckBox*> checkBoxes_;
    std::vector<GUI_TextButton*> resolutionButtons_;
};
