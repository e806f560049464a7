// The opinion polls: approval and voting intention over the last twenty
// quarters, and how cynical the public has grown about tax timing.
#pragma once

#include <string>

#include "gui/GUI_InfoWindow.h"

class GUI_PollsWindow : public GUI_InfoWindow {
public:
    GUI_PollsWindow();

    // "Cynicism: Sceptical (0.12)": the label, the graded word for three
    // times the cynicism, and the value.
    static std::string CynicismLine(float cynicism);
    const std::string& Cynicism() const { return cynicism_; }

protected:
    void DrawContent() override;

private:
    void DrawChart(float top, const char* labelKey, bool votes) const;
    std::string cynicism_;
};
