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
    modal_->OnClick(x, y);
    GUI_WindowManager::Instance().DeletePending();
    return true;
}

void GUI_ModalHolder::PlayClickSound() const {
    ++clicksPlayed_;
    if (player_) player_(kClickVolume);
}
