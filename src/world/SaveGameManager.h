// Saving the game in progress to "data/savegames/<name>.dedu" and loading one
// back: a load rebuilds a fresh game from the data files of the saved mission,
// then lays the saved values over it in settle mode.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>

struct SavedGame;

// A file holds the classic sections, then "[globaleconomy]", "[random]" and
// "[continuation]" (SaveGameContinuation), which older loaders skip. The
// classic sections give back the turn, date, election, political capital,
// mission values, every voter's groups, the value, identifier and history of
// every voter group, simulation value, situation and policy, the sliders,
// phasing in and lag, grudges, anger, finances, polls, triggered dilemmas,
// pledges and congress seats. The continuation then puts back everything a
// turn reads that they leave out or round (every neuron and effect exactly,
// input and member order, poll histories, grudge ages and owners, the effects
// cancelled policies keep, choices made, the generator), so a game loaded at
// turn k plays on exactly as the unbroken game would, turn for turn.
//
// Without a usable continuation (a file from before it, data files changed
// since, classic values edited by hand) the load rebuilds the rest, and the
// turns after it differ from the unbroken game: every effect settles straight
// to its input, the random sources and the first poll draw afresh, policies
// return in data order, values are kept to six decimals and histories to two,
// and voters' own histories, poll histories, group trends, grudge ages and
// owners and the dilemma record are lost.
//
// Never kept in either case: which event fired last (shown in its window),
// the turn's news, a dilemma still waiting for an answer and the other
// pending issues, and the order of the policy icons in their groups.

// What went wrong, for the player (the GUI shows it) and the log.
struct SaveGameProblem {
    enum class Kind { SaveFailed, LoadFailed };
    Kind kind = Kind::SaveFailed;
    std::string path;
    std::string detail;
};

class SaveGameManager {
public:
    static constexpr const char* kFolder = "data/savegames/";
    static constexpr const char* kAutosaveName = "autosave";
    // The largest country's save, exact state and all, is a few megabytes; a
    // file far past that is refused before it is read, so a damaged or
    // hostile one can never take all of memory.
    static constexpr std::uintmax_t kLargestSave = 64ull * 1024 * 1024;

    static SaveGameManager& Instance();

    // Builds the file in memory and writes it atomically: on any failure the
    // previous file of that name is left as it was, and the problem goes to
    // the listener and the log. True when written.
    bool Save(std::string_view path);
    // A save the caller chose not to write, told like a failed one.
    void Decline(std::string_view path, const std::string& why) {
        Report(SaveGameProblem::Kind::SaveFailed, path, why);
    }
    // The player's save under a typed name; refused while a save or load runs.
    bool SaveNamed(std::string_view name);
    // The end-of-turn save, when the "AUTOSAVE" option is on.
    bool Autosave();

    // Loads "data/savegames/<name>.dedu"; refused while a save or load runs.
    bool Load(std::string_view name);
    // Loads a file by path. A file that cannot be read or is not a whole
    // saved game is reported and leaves the running game untouched; stale
    // names inside a good file are reported and their records skipped.
    bool LoadFile(std::string_view path);

    static std::string PathForName(std::string_view name);
    // What the save screen offers: "savegame", then "savegame(1)", ... the
    // first that names no existing save.
    static std::string NextFreeSaveName();

    // Set while a save or a load runs; policies put back into force by a
    // load spend no political capital meanwhile.
    bool IsBusy() const { return busy_; }
    bool IsLoading() const { return loading_; }

    void SetProblemListener(std::function<void(const SaveGameProblem&)> listener) {
        problemListener_ = std::move(listener);
    }
    const std::function<void(const SaveGameProblem&)>& ProblemListener() const {
        return problemListener_;
    }
    // "savelog.txt" in the working folder lists the situations each load
    // restored; on unless switched off.
    void SetLogging(bool logging) { logging_ = logging; }

private:
    SaveGameManager() = default;
    void Report(SaveGameProblem::Kind kind, std::string_view path, const std::string& detail);
    void Apply(const SavedGame& saved);
    void ClearGame();
    void RestoreHeader(const SavedGame& saved);
    void RebuildFromData();
    void RestoreVoters(const SavedGame& saved);
    void RestoreNeurons(const SavedGame& saved);
    void RestorePolicies(const SavedGame& saved);
    void RestoreGrudges(const SavedGame& saved);
    void RestoreAnger(const SavedGame& saved);
    void RestoreAccounts(const SavedGame& saved);
    void RestoreManifestoAndCongress(const SavedGame& saved);
    void FinishLoad(const SavedGame& saved);
    void RestoreContinuation(const SavedGame& saved);
    void ReportStale(const SavedGame& saved, int line, const std::string& name, const char* what);
    void WriteSaveLog();

    bool busy_ = false;
    bool loading_ = false;
    bool logging_ = true;
    std::string saveLog_;
    std::function<void(const SaveGameProblem&)> problemListener_;
};
