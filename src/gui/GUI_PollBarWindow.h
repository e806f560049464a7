// What the approval bar or the voting-intention bar of the main screen
// means, with its current and its highest value.
#pragma once

#include <string>

#include "gui/GUI_InfoWindow.h"

class GUI_PollBarWindow : public GUI_InfoWindow {
public:
    enum class Bar { Approval, VotingIntention };

    explicit GUI_PollBarWindow(Bar bar);

    // "label: 52.10%", the value given as a fraction.
    static std::string ValueLine(const std::string& label, float fraction);
    Bar Which() const { return bar_; }
    const std::string& CurrentLine() const { return current_; }
    const std::string& PeakLine() const { return peak_; }

protected:
    void DrawContent() override;

private:
    Bar bar_;
    std::string description_;
    std::string current_;
    std::string peak_;
    float height_ = 0.0f;
};
