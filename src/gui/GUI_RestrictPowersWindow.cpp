// Restricted-powers dialogs.
#include "gui/GUI_RestrictPowersWindow.h"

#include "core/Application.h"
#include "core/TextUtilities.h"
#include "gui/GUI_ModalHolder.h"
#include "gui/GUI_TextButton.h"
#include "gui/GUI_WindowManager.h"
#include "world/StringTable.h"

std::unique_ptr<GUI_RestrictPowersWindow> GUI_RestrictPowersWindow::Confirm(int capitalLeft,
                                                                            Answer confirm,
                                                                            Answer decline) {
    const std::string text =
        FormatString("GUI_RESTRICT_POWERS_CONFIRM_TEXT", FormatText("CAPITAL=%d,", capitalLeft));
    return std::unique_ptr<GUI_RestrictPowersWindow>(new GUI_RestrictPowersWindow(
        GetString("GUI_RESTRICT_POWERS_CONFIRM"), text, std::move(confirm), std::move(decline)));
}

std::unique_ptr<GUI_RestrictPowersWindow> GUI_RestrictPowersWindow::Blocked() {
    return std::unique_ptr<GUI_RestrictPowersWindow>(
        new GUI_RestrictPowersWindow(GetString("GUI_RESTRICT_POWERS_BLOCKED"),
                                     GetString("GUI_RESTRICT_POWERS_BLOCKED_TEXT"), {}, {}));
}

GUI_RestrictPowersWindow::GUI_RestrictPowersWindow(std::string_view title, std::string_view text,
                                                   Answer confirm, Answer decline)
    : GUI_MessageWindow(title, text), confirm_(std::move(confirm)), decline_(std::move(decline)) {
    GUI_ModalHolder::Instance().SetModalWindow(this);
    // The message window's close cross answers no, like Escape.
    buttons_.front()->SetAction([this] { Reply(false); });
    const float scale = Application::Instance().InterfaceScale();
    const float width = 120.0f * scale, height = 36.0f * scale, gap = 16.0f * scale;
    // Room under the text for the buttons: a gap, the row, the margin.
    FitToText(20.0f + 36.0f + 20.0f);
    const float bottom = float(rect_.bottom) - 20.0f * scale;
    const float right = float(rect_.right) - 24.0f * scale;
    const bool question = bool(confirm_);
    ok_ = Add<GUI_TextButton>(GetString("GUI_QUITDIALOG_OK"), [this] { Reply(true); });
    const float okRight = question ? right - width - gap : right;
    ok_->SetRect(okRight - width, bottom - height, okRight, bottom);
    if (question) {
        cancel_ = Add<GUI_TextButton>(GetString("GUI_QUITDIALOG_CANCEL"), [this] { Reply(false); });
        cancel_->SetRect(right - width, bottom - height, right, bottom);
    }
}

bool GUI_RestrictPowersWindow::CloseRequested() {
    Reply(false);
    return false;
}

void GUI_RestrictPowersWindow::Reply(bool yes) {
    if (answered_) return;
    answered_ = true;
    // The answer may open or close other windows; this one goes either way.
    const Answer answer = yes ? confirm_ : decline_;
    GUI_WindowManager::Instance().Close(this);
    if (answer) answer();
}
