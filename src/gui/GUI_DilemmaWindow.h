// A decision put to the player: the dilemma's story and its two options,
// each a button with what it means written under it. It must be answered
// before the turn can end; the answer is final.
#pragma once

#include <array>
#include <string>

#include "gui/GUI_InfoWindow.h"
#include "gui/NeuronHandle.h"

class Dilemma;

class GUI_DilemmaWindow : public GUI_InfoWindow {
public:
    explicit GUI_DilemmaWindow(const Dilemma& dilemma);

    Dilemma* GetDilemma() const;
    GUI_Button* OptionButton(int option) const { return buttons_[size_t(option)]; }
    // The player's answer; the window closes.
    void Choose(int option);

protected:
    void DrawContent() override;
    bool SubjectGone() const override { return dilemma_.IsGone(); }

private:
    NeuronHandle dilemma_;
    std::string description_;
    std::array<std::string, 2> optionTexts_;
    std::array<float, 2> optionTops_{};
    std::array<GUI_Button*, 2> buttons_{};
};
