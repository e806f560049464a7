// Screen switches, turn windows and the modal check for turns.
#include "gui/GuiGameplayListener.h"

#include "aids/BackdropManager.h"
#include "core/Application.h"
#include "gui/GUI_Pointer.h"
#include "gui/InfoWindows.h"

GuiGameplayListener::GuiGameplayListener() {
    InstallInfoWindowListeners();
}

GuiGameplayListener::~GuiGameplayListener() {
    RemoveInfoWindowListeners();
}

bool GuiGameplayListener::IsModalDialogOpen() {
    return IsTurnBlocked();
}

void GuiGameplayListener::CloseTurnWindows() {
    ::CloseTurnWindows();
}

void GuiGameplayListener::ShowLoadingScreen() {
    Application::Instance().SetScreen(kScreenLoading);
}

void GuiGameplayListener::ShowMainScreen() {
    Application::Instance().SetScreen(kScreenMainGame);
}

void GuiGameplayListener::SetPointerHidden(bool hidden) {
    GUI_Pointer::Instance().SetHidden(hidden);
}

void GuiGameplayListener::OpenStartDialog() {
    ::OpenStartDialog();
}

void GuiGameplayListener::OpenQuarterlyReport() {
    ::OpenQuarterlyReport();
}

void GuiGameplayListener::OpenManifestoChoice() {
    ::OpenManifestoChoice();
}

void GuiGameplayListener::OpenMidtermResults() {
    ::OpenMidtermResults();
}

void GuiGameplayListener::NextBackdrop() {
    BackdropManager::Instance().Next();
}
