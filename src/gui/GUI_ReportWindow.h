// The quarterly report at the end of every turn after the first: a paragraph
// on the state of things, the quarter's five biggest news items, and the
// security services' summary of the angriest group.
#pragma once

#include <string>
#include <vector>

#include "gui/GUI_InfoWindow.h"

class GUI_ReportWindow : public GUI_InfoWindow {
public:
    static constexpr size_t kNewsItems = 5;

    GUI_ReportWindow();

    const std::string& Paragraph() const { return paragraph_; }
    const std::vector<std::string>& News() const { return news_; }
    const std::string& Intelligence() const { return intelligence_; }

protected:
    void DrawContent() override;

private:
    std::string date_;
    std::string paragraph_;
    std::vector<std::string> news_;
    std::string intelligence_;
    std::vector<float> heights_;  // paragraph, each news item, intelligence
};
