// The screens the program switches between, and their common interface.
#pragma once

enum ScreenId : int {
    kScreenMainMenu = 0,
    kScreenOptions = 1,
    kScreenLoadGame = 2,
    kScreenSaveGame = 3,
    kScreenMissionSelection = 4,
    kScreenMainGame = 5,  // 6 shows the same screen
    kScreenLoading = 7,
    kScreenUpdates = 9,
};

// Maps any id to the screen that serves it: 6 is the main game screen and
// ids nobody knows fall back to the main menu.
int CanonicalScreenId(int id);

class Screen {
public:
    virtual ~Screen() = default;
    // Updates and draws the screen; called once a frame while it is current.
    virtual void RunFrame() = 0;
    virtual void MouseClick(int /*x*/, int /*y*/) {}
    virtual void Key(int /*keyCode*/) {}
    // Called each time the screen becomes current.
    virtual void Activate() {}
};
