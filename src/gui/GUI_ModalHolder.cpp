// The modal-dialog holder and the click sound.
#include "gui/GUI_ModalHolder.h"

#include "gui/GUI_Window.h"
#include "gui/GUI_WindowManager.h"

GUI_ModalHolder& GUI_ModalHolder::Instance() {
    static GUI_ModalHolder holder;
    return holder;
}

bool GUI_ModalHolder::RouteClick(float x, float y) {
    if (!modal_) return false;
    GUI_WindowManager& windows = GUI_WindowManager::Instance();
    if (!windows.IsOpen(modal_)) {
        modal_->OnClick(x, y);
    } else if (windows.IsShown(modal_)) {
        // The window manager offers it to the topmost window only: the one
        // that must be answered, or a dialog opened above it.
        windows.OnClick(x, y);
    } else {
        return false;
    }
    windows.DeletePending();
    return true;
}

void GUI_ModalHolder::PlayClickSound() const {
    ++clicksPlayed_;
    if (player_) player_(kClickVolume);
}
