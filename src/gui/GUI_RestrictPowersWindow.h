// The two dialogs of restricted powers: the question whether to spend a
// point of political capital on a change, and the notice that the turn's
// capital is used up. Both must be answered before play goes on.
#pragma once

#include <functional>
#include <memory>
#include <string_view>

#include "gui/GUI_MessageWindow.h"

class GUI_RestrictPowersWindow : public GUI_MessageWindow {
public:
    using Answer = std::function<void()>;

    // "OK" runs `confirm`; "Cancel", the close cross and Escape run `decline`.
    static std::unique_ptr<GUI_RestrictPowersWindow> Confirm(int capitalLeft, Answer confirm,
                                                             Answer decline);
    static std::unique_ptr<GUI_RestrictPowersWindow> Blocked();

    // Escape answers no.
    bool CloseRequested() override;

    bool IsConfirmation() const { return cancel_ != nullptr; }
    GUI_Button* OkButton() const { return ok_; }
    GUI_Button* CancelButton() const { return cancel_; }

private:
    GUI_RestrictPowersWindow(std::string_view title, std::string_view text, Answer confirm,
                             Answer decline);
    void Reply(bool yes);

    Answer confirm_;
    Answer decline_;
    GUI_Button* ok_ = nullptr;
    GUI_Button* cancel_ = nullptr;
    bool answered_ = false;
};
