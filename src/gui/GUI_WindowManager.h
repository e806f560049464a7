// The open windows in their stacking order (bottom first): drawn bottom to
// top, updated and offered clicks top to bottom, closed on request.
#pragma once

#include <memory>
#include <vector>

class GUI_Window;

class GUI_WindowManager {
public:
    static GUI_WindowManager& Instance();

    // The window becomes the topmost.
    void Register(GUI_Window* window);
    void Unregister(GUI_Window* window);
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

    void DrawAll();
    void UpdateAll();
    // The first window from the top that takes the click ends the search.
    bool OnClick(float x, float y);
    bool AnyClosable() const;
    // Closes the topmost closable window, if its own close rule agrees.
    void CloseTopmost();
    // Game start: no window survives.
    void DeleteAll();

    const std::vector<GUI_Window*>& Windows() const { return order_; }
    bool IsOpen(const GUI_Window* window) const;

private:
    GUI_WindowManager() = default;
    void Adopt(std::unique_ptr<GUI_Window> window);

    std::vector<GUI_Window*> order_;
    std::vector<std::unique_ptr<GUI_Window>> owned_;
    std::vector<GUI_Window*> pending_;
};
