// The open windows in their stacking order (bottom first): drawn bottom to
// top, updated and offered clicks top to bottom, closed on request. Each
// window belongs to the screen it was opened for and is shown only there;
// while a window must be answered, nothing beneath it takes input.
#pragma once

#include <memory>
#include <vector>

class GUI_Window;

class GUI_WindowManager {
public:
    static GUI_WindowManager& Instance();

    // The window becomes the topmost, at home on the screen shown now.
    void Register(GUI_Window* window);
    void Unregister(GUI_Window* window);
    // Brings an open window to the top, keeping its screen.
    void Raise(GUI_Window* window);
    // Takes the window, registers it, and deletes it when it is closed.
    template <typename W>
    W* Open(std::unique_ptr<W> window) {
        W* raw = window.get();
        Adopt(std::unique_ptr<GUI_Window>(std::move(window)));
        return raw;
    }
    // Deletes a window the manager owns (just unregisters any other) once the
    // current click or frame is over, so a close button never deletes the
    // window whose buttons are being walked.
    void Close(GUI_Window* window);
    void DeletePending();

    // These four see only the windows of the screen shown now.
    void DrawAll();
    void UpdateAll();
    // The first window from the top that takes the click ends the search;
    // while a window must be answered only the topmost is offered it.
    bool OnClick(float x, float y);
    bool AnyClosable() const;
    // Closes the topmost closable window, if its own close rule agrees; a
    // window that must be answered hides those beneath it from this.
    void CloseTopmost();
    // Game start: no window survives.
    void DeleteAll();

    const std::vector<GUI_Window*>& Windows() const { return order_; }
    bool IsOpen(const GUI_Window* window) const;
    // Open, at home on the screen shown now, and not on its way out.
    bool IsShown(const GUI_Window* window) const;
    // The topmost shown window, or none.
    GUI_Window* TopShown() const;

    // The screen a window opened now belongs to: the loading screen stands
    // in for the game while a turn or a game start runs, so what they open
    // waits for the game screen that follows.
    static int HomeScreenNow();

private:
    GUI_WindowManager() = default;
    void Adopt(std::unique_ptr<GUI_Window> window);
    // The shown windows that take input, bottom first: from a shown window
    // that must be answered upwards, or all of them.
    std::vector<GUI_Window*> InputWindows() const;

    std::vector<GUI_Window*> order_;
    std::vector<std::unique_ptr<GUI_Window>> owned_;
    std::vector<GUI_Window*> pending_;
};
