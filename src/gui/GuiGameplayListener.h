// The windowed game's answers to what a turn asks for: the loading and main
// screens, and whether a modal dialog holds the turn back. Windows a turn
// opens (report, start dialog, manifesto) arrive with their own issues.
#pragma once

#include "world/Gameplaymanager.h"

class GuiGameplayListener : public GameplayListener {
public:
    bool IsModalDialogOpen() override;
    void CloseTurnWindows() override;
    void ShowLoadingScreen() override;
    void ShowMainScreen() override;
    void SetPointerHidden(bool hidden) override;
};
