// The two houses of the legislature: seats held in each and whether the
// government controls it. After a midterm election it is the results
// window, which must be acknowledged; from the control panel it is a look
// at the houses as they stand.
#pragma once

#include <string>

#include "gui/GUI_InfoWindow.h"

class GUI_CongressWindow : public GUI_InfoWindow {
public:
    enum class Mode { MidtermResults, Overview };

    explicit GUI_CongressWindow(Mode mode);

    // "label ( 240/435)" and "label ( 51/100)".
    static std::string HouseLine(const std::string& label, int held);
    static std::string SenateLine(const std::string& label, int held);
    Mode GetMode() const { return mode_; }
    GUI_Button* ContinueButton() const { return continue_; }

protected:
    void DrawContent() override;

private:
    Mode mode_;
    GUI_Button* continue_ = nullptr;
};
