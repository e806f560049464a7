// The promises in force this term and how each is going: the value it is
// about, risen or fallen since the promise was made, and whether the promise
// is being kept.
#pragma once

#include <string>
#include <vector>

#include "gui/GUI_InfoWindow.h"

class GUI_ManifestoWindow : public GUI_InfoWindow {
public:
    GUI_ManifestoWindow();

    // "up by 12.50%", "down by 3.00%" or "unchanged": the change relative to
    // the value when the promise was made.
    static std::string ProgressText(float initial, float current);

    struct Row {
        std::string text;
        std::string progress;
        bool kept = true;
        float height = 0.0f;
    };
    const std::vector<Row>& Rows() const { return rows_; }

protected:
    void DrawContent() override;

private:
    std::string description_;
    std::vector<Row> rows_;
    float descriptionHeight_ = 0.0f;
};
