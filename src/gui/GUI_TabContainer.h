// A window that shows one of several tabs at a time, each chosen by its tab
// button; the buttons belong to the container, the contents to the tabs.
#pragma once

#include <memory>
#include <vector>

#include "gui/GUI_Window.h"

class GUI_WindowTab;

class GUI_TabContainer : public GUI_Window {
public:
    // The tab takes the container's rectangle and the next index.
    GUI_WindowTab* AddTab(std::unique_ptr<GUI_WindowTab> tab);
    // Shows this tab and hides every other.
    void Select(GUI_WindowTab* tab);
    void SelectIndex(int index);
    GUI_WindowTab* ShownTab() const;
    const std::vector<std::unique_ptr<GUI_WindowTab>>& Tabs() const { return tabs_; }

    // Inside any of its own buttons or any tab.
    bool Contains(float x, float y) const override;
    // The shown tab's content takes the click; the tab buttons sit outside it.
    bool OnClick(float x, float y) override;
    void Draw() override;

private:
    std::vector<std::unique_ptr<GUI_WindowTab>> tabs_;
};
