// Starting a game from a mission and running the new-turn sequence: every
// subsystem advanced once, in a fixed order, with progress on the loading
// screen. The order is what makes a seeded game replay exactly.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

// The windows a turn opens and the screens it switches to. The GUI answers
// with real windows; a headless driver with its own choices.
class GameplayListener {
public:
    virtual ~GameplayListener() = default;
    // A dilemma awaiting an answer or the manifesto choice blocks the turn.
    virtual bool IsModalDialogOpen() { return false; }
    // Windows that close at the end of a turn (policy details, the event
    // dialog, the report).
    virtual void CloseTurnWindows() {}
    virtual void ShowLoadingScreen() {}
    virtual void ShowMainScreen() {}
    // Game start hides the pointer while it loads, and shows it again.
    virtual void SetPointerHidden(bool /*hidden*/) {}
    virtual void OpenStartDialog() {}
    // Unless a warning, an attack or election results are on screen.
    virtual void OpenQuarterlyReport() {}
    virtual void OpenManifestoChoice() {}
    // Two years into a term with the congress model: the houses were elected.
    virtual void OpenMidtermResults() {}
    virtual void OpenVoterMatrix() {}
    // Game start and every turn after the first move the loading screen on
    // to its next backdrop; without a screen only the step is reported.
    virtual void NextBackdrop();
    // Saves to "data/savegames/autosave.dedu" unless a listener knows better.
    virtual void Autosave();
};

class Gameplaymanager {
public:
    static Gameplaymanager& Instance();

    // Clears any running game, loads every data file into a fresh network,
    // applies "data/missions/<name>.txt" and processes the first turn.
    void StartGame(std::string_view missionName);
    // One turn of three months; ignored while a modal dialog is open.
    void NewTurn();

    // The random generator's state when the game began: the game's seed.
    // What is random about the screens (where the map's icons go) derives
    // from it, never from the generator itself.
    std::uint32_t Seed() const { return seed_; }
    void SetSeed(std::uint32_t seed) { seed_ = seed; }

    int TurnNumber() const { return turnNumber_; }
    void SetTurnNumber(int turn) { turnNumber_ = turn; }
    // A second count the turn processor keeps for saved games only: written
    // and read back, 0 in a new game.
    int TurnsToElection() const { return turnsToElection_; }
    void SetTurnsToElection(int turns) { turnsToElection_ = turns; }
    // Runs on across turns and wraps past 1, as the loading bar does.
    float Progress() const { return progress_; }
    bool IsLoadingFinished() const { return loadingFinished_; }

    void SetListener(GameplayListener* listener);
    GameplayListener& Listener() { return *listener_; }

    // Reports the label with the progress so far, then adds the fraction
    // (wrapping to 0 past 1).
    void ProgressStep(std::string_view label, float fraction);

private:
    Gameplaymanager();
    void ApplyMission(const std::string& path);

    std::uint32_t seed_ = 0;
    int turnNumber_ = 0;
    int turnsToElection_ = 0;
    float progress_ = 0.0f;
    bool loadingFinished_ = false;
    GameplayListener defaultListener_;
    GameplayListener* listener_;
};
