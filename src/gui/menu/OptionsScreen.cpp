// The options screen's controls as tables, and what each one changes.
#include "gui/menu/OptionsScreen.h"

#include <algorithm>

#include "core/Application.h"
#include "core/DataFiles.h"
#include "engine/D3DEngine.h"
#include "engine/Skin.h"
#include "engine/StyleSheet.h"
#include "gui/FrameCommands.h"
#include "gui/GUI_CheckBox.h"
#include "gui/GUI_MessageWindow.h"
#include "gui/GUI_TextButton.h"
#include "gui/GuiText.h"
#include "gui/WindowedServices.h"
#include "simulation/GameOptions.h"
#include "world/StringTable.h"

namespace {

constexpr const char* kConfigPath = "data/config.muf";
constexpr float kStep = 52.0f;

struct SliderEntry {
    const char* label;
    int option;
};

constexpr std::array<SliderEntry, 5> kSliders = {{
    {"OPTION_MUSICVOLUME", GameOptions::kMusic},
    {"OPTION_ECONOMICVOLATILITY", GameOptions::kGlobalEconomy},
    {"OPTION_INTERESTRATE", GameOptions::kInterestRate},
    {"OPTION_DIFFICULTY", GameOptions::kDifficulty},
    {"OPTION_CYNICISM", GameOptions::kCynicism},
}};

// A box either edits a game option or, for the full-screen box, the display
// setting of the screen configuration (checked means not windowed).
struct CheckEntry {
    const char* label;
    int option;  // -1: full screen
};

constexpr int kFullScreen = -1;

constexpr std::array<CheckEntry, 6> kCheckBoxes = {{
    {"FULLSCREEN", kFullScreen},
    {"TOGGLEFLAGS", GameOptions::kShowFlags},
    {"TOGGLECLOCK", GameOptions::kShowClock},
    {"IGNOREDILEMMAS", GameOptions::kIgnoreDilemmas},
    {"RESTRICTPOWERS", GameOptions::kRestrictPower},
    {"IGNOREMANIFESTO", GameOptions::kIgnoreManifesto},
}};

bool IsFullScreen() {
    return ReadWholeNumber("config", "IsWindowed", 0, kConfigPath) != 1;
}

void MusicVolumeChanged() {
    if (auto* services = dynamic_cast<WindowedServices*>(&Application::Instance().Services()))
        services->MusicVolumeChanged();
}

}  // namespace

const std::array<OptionsScreen::Resolution, 4>& OptionsScreen::Resolutions() {
    static const std::array<Resolution, 4> resolutions = {{
        {"800 x 600", 800, 600},
        {"1024 x 768", 1024, 768},
        {"1280 x 1024", 1280, 1024},
        {"1280 x 960", 1280, 960},
    }};
    return resolutions;
}

void OptionsScreen::ChooseResolution(int choice) {
    if (choice < 0 || choice >= int(Resolutions().size())) return;
    const Resolution& size = Resolutions()[size_t(choice)];
    WriteWholeNumber("pref", "SCREEN_WIDTH", size.width, kConfigPath);
    WriteWholeNumber("pref", "SCREEN_HEIGHT", size.height, kConfigPath);
    RunAfterFrame([] { Application::Instance().RestartDisplay(); });
}

void OptionsScreen::Build(int width, int height, float scale) {
    const float centre = float(width) / 2.0f;
    // Sliders on the left, boxes from the centre, the sizes under the sliders;
    // the whole block is centred on the screen.
    const float blockHeight = 5.0f * kStep + 30.0f + 34.0f + 2.0f * 44.0f;
    // On screens wider than 4:3 the rows follow the height, so they still fit.
    rowScale_ = std::min(scale, float(height) / 768.0f);
    const float rows = rowScale_;
    sliderTop_ = std::max(150.0f * rows, (float(height) - blockHeight * rows) / 2.0f);
    checkTop_ = sliderTop_;
    panel_ = Rect{int(centre - 340.0f * scale), int(sliderTop_ - 80.0f * rows),
                  int(centre + 340.0f * scale), int(sliderTop_ + (blockHeight + 30.0f) * rows)};
    BuildSliders(centre - 300.0f * scale, sliderTop_, scale);
    BuildCheckBoxes(centre, checkTop_, scale);
    resolutionTop_ = sliderTop_ + 5.0f * kStep * rows + 30.0f * rows;
    BuildResolutions(centre - 300.0f * scale, resolutionTop_ + 34.0f * rows, scale);

    auto* back = controls_->Add<GUI_TextButton>(GetString("MAIN_MENU"), [] {
        // Kept at once, so a crash later in the session loses nothing.
        GameOptions::Instance().Save();
        SwitchScreen(kScreenMainMenu);
    });
    back->SetTooltip(GetString("TOOLTIP_MAINMENU"));
    back->SetRect(float(width) - 150.0f * scale, float(height) - 32.0f * scale,
                  float(width) - 20.0f * scale, float(height) - 10.0f * scale);
}

void OptionsScreen::BuildSliders(float left, float top, float scale) {
    sliders_.clear();
    for (size_t i = 0; i < kSliders.size(); ++i) {
        const int option = kSliders[i].option;
        sliderValues_[i] = GameOptions::Instance().Get(option);
        auto slider = std::make_unique<GUI_SliderControl>(
            &sliderValues_[i], GetString(kSliders[i].label), [option](float value) {
                GameOptions::Instance().Set(value, option);
                if (option == GameOptions::kMusic) MusicVolumeChanged();
            });
        const float y = top + float(i) * kStep * rowScale_;
        // The slider puts its label 20 pixels below its top whatever the
        // scale, so it is never made taller than the classic 22.
        slider->SetRect(left, y, left + 200.0f * scale, y + 22.0f * std::min(rowScale_, 1.0f));
        sliders_.push_back(std::move(slider));
    }
}

void OptionsScreen::BuildCheckBoxes(float left, float top, float scale) {
    checkBoxes_.clear();
    for (size_t i = 0; i < kCheckBoxes.size(); ++i) {
        const CheckEntry entry = kCheckBoxes[i];
        auto* box = controls_->Add<GUI_CheckBox>(GetString(entry.label));
        box->SetAction([box, entry] {
            if (entry.option == kFullScreen) {
                // The display switch writes the setting and restarts the display.
                if (box->IsChecked() != IsFullScreen())
                    RunAfterFrame([] { Application::Instance().ToggleWindowedMode(); });
                return;
            }
            GameOptions::Instance().Set(box->IsChecked() ? 1.0f : 0.0f, entry.option);
        });
        box->SetChecked(entry.option == kFullScreen
                            ? IsFullScreen()
                            : GameOptions::Instance().Get(entry.option) != 0.0f);
        box->SetTooltip(GetString(std::string("TOOLTIP_") + entry.label));
        const float y = top + float(i) * kStep * rowScale_;
        box->SetRect(left, y, left + 256.0f * scale, y + 22.0f * rowScale_);
        checkBoxes_.push_back(box);
    }
}

void OptionsScreen::BuildResolutions(float left, float top, float scale) {
    resolutionButtons_.clear();
    const float buttonWidth = 130.0f * scale, buttonHeight = 34.0f * rowScale_,
                gap = 10.0f * rowScale_;
    for (size_t i = 0; i < Resolutions().size(); ++i) {
        const int choice = int(i);
        // A size reads the same in every language: its label is no key.
        auto* button = controls_->Add<GUI_TextButton>(Resolutions()[i].label,
                                                      [choice] { ChooseResolution(choice); });
        button->SetTooltip(GetString("TOOLTIP_RESOLUTION"));
        const float x = left + float(i % 2) * (buttonWidth + gap);
        const float y = top + float(i / 2) * (buttonHeight + gap);
        button->SetRect(x, y, x + buttonWidth, y + buttonHeight);
        resolutionButtons_.push_back(button);
    }
}

void OptionsScreen::DrawBackground() {
    ClearToSlate();
    DrawPaperPanel(panel_);
    const float scale = Application::Instance().InterfaceScale();
    DrawStyledText(StyleSheet::kTitle, float(panel_.left), float(panel_.top) + 18.0f * scale,
                   GetString("OPTIONS"), float(panel_.right - panel_.left), GdiText::kCentre);
    DrawStyledText(StyleSheet::kHeadline, float(resolutionButtons_.front()->Left()), resolutionTop_,
                   GetString("SCREEN_RESOLUTION"));
    for (const auto& slider : sliders_) slider->Draw();
}

void OptionsScreen::DrawForeground() {
    // The size in use is outlined, so the player sees which choice is current.
    const D3DEngine& engine = D3DEngine::Instance();
    for (size_t i = 0; i < resolutionButtons_.size(); ++i) {
        const Resolution& size = Resolutions()[i];
        if (engine.Width() != size.width || engine.Height() != size.height) continue;
        Rect mark = resolutionButtons_[i]->GetRect();
        mark.left -= 3, mark.top -= 3, mark.right += 3, mark.bottom += 3;
        D3DEngine::Instance().DrawRectOutline(mark, Skin::Instance().Get(Skin::COL_CHECKMARK));
        D3DEngine::Instance().DrawRectOutline(
            Rect{mark.left + 1, mark.top + 1, mark.right - 1, mark.bottom - 1},
            Skin::Instance().Get(Skin::COL_CHECKMARK));
    }
}
