// The window that must be answered before play goes on (a dilemma, the
// manifesto choice, election results): while one is held it, or a dialog
// opened above it, takes every click of the main screen and no turn may
// start. Also holds the click sound.
#pragma once

#include <functional>

class GUI_Window;

class GUI_ModalHolder {
public:
    static constexpr int kClickVolume = 50;

    static GUI_ModalHolder& Instance();

    void SetModalWindow(GUI_Window* window) { modal_ = window; }
    GUI_Window* ModalWindow() const { return modal_; }
    bool HasModalWindow() const { return modal_ != nullptr; }
    // Gives the click to the topmost window, the modal one or a dialog above
    // it; false when none is held (or it is not on the screen shown).
    bool RouteClick(float x, float y);

    // The sound system plugs its player in here; without one clicks are silent.
    void SetClickSoundPlayer(std::function<void(int volume)> player) {
        player_ = std::move(player);
    }
    void PlayClickSound() const;
    int ClicksPlayed() const { return clicksPlayed_; }

private:
    GUI_ModalHolder() = default;
    GUI_Window* modal_ = nullptr;
    std::function<void(int)> player_;
    mutable int clicksPlayed_ = 0;
};
