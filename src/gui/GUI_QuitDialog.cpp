// The quit dialog.
#include "gui/GUI_QuitDialog.h"

#include "core/Application.h"
#include "gui/FrameCommands.h"
#include "gui/GUI_TextButton.h"
#include "gui/GUI_WindowManager.h"
#include "world/StringTable.h"

GUI_QuitDialog::GUI_QuitDialog()
    : GUI_MessageWindow(GetString("GUI_QUITDIALOG_TITLE"), GetString("GUI_QUITDIALOG_TEXT")) {
    const float scale = Application::Instance().InterfaceScale();
    const float width = 120.0f * scale, height = 36.0f * scale, gap = 16.0f * scale;
    const float bottom = float(rect_.bottom) - 20.0f * scale;
    const float right = float(rect_.right) - 24.0f * scale;
    ok_ = Add<GUI_TextButton>(GetString("GUI_QUITDIALOG_OK"),
                              [] { RunAfterFrame([] { Application::Instance().QuitGame(); }); });
    ok_->SetRect(right - 2.0f * width - gap, bottom - height, right - width - gap, bottom);
    cancel_ = Add<GUI_TextButton>(GetString("GUI_QUITDIALOG_CANCEL"),
                                  [this] { GUI_WindowManager::Instance().Close(this); });
    cancel_->SetRect(right - width, bottom - height, right, bottom);
}
