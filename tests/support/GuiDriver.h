// Drives the real windowed program in a test: the game's data copied into a
// fresh folder, the windowed services drawing offscreen (or into a window of
// SDL's dummy video driver), and a script of pointer moves, clicks and
// keys fed into the frame loop, with screenshots of any frame.
#pragma once

#include <cstdint>
#include <string>

#include "core/Application.h"
#include "gui/GUI_WindowManager.h"
#include "gui/WindowedServices.h"
#include "platform/Image.h"
#include "support/TempDirectory.h"

class GUI_BaseElement;
class GUI_TextButton;
class MissionSelectionScreen;

class GuiDriver {
public:
    // Starts the program at the size with the shipped data; `display` Window
    // uses SDL's dummy video driver, so no real display is needed.
    GuiDriver(int width, int height, D3DEngine::Display display = D3DEngine::Display::Offscreen);
    ~GuiDriver();
    GuiDriver(const GuiDriver&) = delete;
    GuiDriver& operator=(const GuiDriver&) = delete;

    void Frames(int count = 1);
    // From now on every frame lasts this long on the game's clock, whatever
    // the real time it takes; 0 goes back to the real clock.
    void PaceFrames(double milliseconds);
    // The pointer glides there in one frame.
    void MoveTo(float x, float y);
    // Moves, presses and releases the left button, a frame for each; a point
    // off the screen fails the test, as no player could click there.
    void Click(float x, float y);
    void PressLeft();
    void ReleaseLeft();
    // Moves, presses and releases the right button, a frame for each.
    void RightClick(float x, float y);
    // Turns the wheel where the pointer is, away from the player positive.
    void Wheel(int notches);
    // A key pressed and released, optionally with the left Alt held.
    void Key(int scanCode, bool withLeftAlt = false);
    void HoldKey(int scanCode);
    void ReleaseKey(int scanCode);

    // What choosing a country in the menus does, from the generator seeded
    // with `seed` and with every part of the screen allowed; the opening
    // dialog is left for the caller to answer.
    void StartGame(std::uint32_t seed, const std::string& mission = "mission1");

    // Draws one more frame and returns it.
    platform::Image Screenshot();
    // Also writes it under $POLITY_SCREENSHOT_DIR (when set) for a look.
    platform::Image Screenshot(const std::string& name);

    Application& App() { return Application::Instance(); }
    WindowedServices& Services() { return *services_; }
    const TempDirectory& Folder() const { return folder_; }

private:
    TempDirectory folder_;
    WindowedServices* services_ = nullptr;
    double pace_ = 0.0;
    double clock_ = 0.0;
};

// Copies the shipped "data" folder into the working directory.
void CopyShippedData();

// Clicks the middle of an element, as a player aims; a missing one fails the test.
void ClickCentre(GuiDriver& driver, const GUI_BaseElement& element);
void ClickCentre(GuiDriver& driver, const GUI_BaseElement* element);
// The current screen's text button labelled with the string of `key`, or null.
GUI_TextButton* TextButton(Application& app, const char* key);

// Picks the first country of the list and runs it, as a player clicks.
void RunFirstCountry(GuiDriver& driver, MissionSelectionScreen& missions);

// The topmost window of the type that the player can see, or null.
template <typename W>
W* TopVisible() {
    W* found = nullptr;
    for (GUI_Window* window : GUI_WindowManager::Instance().Windows())
        if (auto* typed = dynamic_cast<W*>(window); typed && typed->IsVisible()) found = typed;
    return found;
}
