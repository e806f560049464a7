// One page of a tab container: a panel in the skin's window colour with its
// own buttons, drawn only while it is the shown tab.
#pragma once

#include "gui/GUI_Window.h"

class GUI_TabContainer;

class GUI_WindowTab : public GUI_Window {
public:
    // Asks the container to make this the shown tab.
    void Show();
    void Draw() override;

    bool IsShown() const { return shown_; }
    void SetShown(bool shown) { shown_ = shown; }
    void SetContainer(GUI_TabContainer* container, int index) {
        container_ = container;
        index_ = index;
    }
    GUI_TabContainer* Container() const { return container_; }
    int Index() const { return index_; }

private:
    bool shown_ = false;
    GUI_TabContainer* container_ = nullptr;
    int index_ = 0;
};
