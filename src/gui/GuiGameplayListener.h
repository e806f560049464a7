// The windowed game's answers to what a turn asks for: the loading and main
// screens, the windows the end of a turn opens (start dialog, report,
// manifesto choice, midterm results) and closes, and whether a dialog that
// must be answered holds the turn back. While it lives, the game's own
// listeners (elections, opposition, achievements, dilemmas) open windows too.
#pragma once

#include "world/Gameplaymanager.h"

class GuiGameplayListener : public GameplayListener {
public:
    GuiGameplayListener();
    ~GuiGameplayListener() override;
    GuiGameplayListener(const GuiGameplayListener&) = delete;
    GuiGameplayListener& operator=(const GuiGameplayListener&) = delete;

    bool IsModalDialogOpen() override;
    void CloseTurnWindows() override;
    void ShowLoadingScreen() override;
    void ShowMainScreen() override;
    void SetPointerHidden(bool hidden) override;
    void OpenStartDialog() override;
    void OpenQuarterlyReport() override;
    void OpenManifestoChoice() override;
    void OpenMidtermResults() override;
    void NextBackdrop() override;
};
