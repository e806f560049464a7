// Screen switches and the modal check for turns.
#include "gui/GuiGameplayListener.h"

#include "core/Application.h"
#include "gui/GUI_ModalHolder.h"
#include "gui/GUI_Pointer.h"
#include "gui/GUI_Window.h"
#include "gui/GUI_WindowManager.h"

bool GuiGameplayListener::IsModalDialogOpen() {
    return GUI_ModalHolder::Instance().HasModalWindow();
}

// The panels a turn invalidates are the closable dialogs; modal ones stay.
void GuiGameplayListener::CloseTurnWindows() {
    GUI_WindowManager& windows = GUI_WindowManager::Instance();
    for (GUI_Window* window : std::vector<GUI_Window*>(windows.Windows()))
        if (window->IsClosable() && window != GUI_ModalHolder::Instance().ModalWindow())
            windows.Close(window);
    windows.DeletePending();
}

void GuiGameplayListener::ShowLoadingScreen() {
    Application::Instance().SetScreen(kScreenLoading);
}

void GuiGameplayListener::ShowMainScreen() { Application::Instance().SetScreen(kScreenMainGame); }

void GuiGameplayListener::SetPointerHidden(bool hidden) { GUI_Pointer::Instance().SetHidden(hidden); }
