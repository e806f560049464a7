// Plays a game without a window: starts a mission, applies the player's
// scripted actions, answers every decision the player would face by a simple
// rule, and prints one line per turn. The same seed and the same actions
// give the same output, byte for byte.
#pragma once

#include <cstdio>
#include <string>
#include <vector>

#include "world/Gameplaymanager.h"

class HeadlessGame : public GameplayListener {
public:
    struct Options {
        std::string mission = "mission1";
        int turns = -1;  // negative: to the end of the first term
        bool json = false;
        std::vector<std::string> actions;  // player-input script lines
        std::string actionsSource;         // the file they came from, for messages
        // The actions are a script the game recorded from its start, whose
        // first "NEXTTURN" is the game start's own turn.
        bool replay = false;
        std::string loadPath;  // play on from this saved game instead of a new one
        std::string savePath;  // save the game here when play ends
    };

    HeadlessGame(Options options, std::FILE* out);

    // Whether every line is an action as the game records them
    // ("NEWPOLICY,name", "CANCELPOLICY,name", "ADJSLIDER,name,value" with a
    // value from 0 to 1, "NEXTTURN"); if not, `problem` names the file, the
    // first bad line and what is wrong, so a cut or garbled script is turned
    // down before play. Policy names are left to the data (a warning later).
    static bool CheckActions(const std::vector<std::string>& lines, const std::string& source,
                             std::string* problem);

    // Plays to the end and returns 0, or 1 when the game or its data
    // reported an error.
    int Play();

    const std::string& EndReason() const { return endReason_; }

    void OpenManifestoChoice() override;
    // A scripted run never overwrites the player's autosave; --save names
    // the file it writes instead.
    void Autosave() override {}

private:
    // Applies the actions up to the next "NEXTTURN"; false at their end.
    void ApplyActionsForTurn();
    void AnswerDilemma();
    // A recorded script starts with the turn that game start processes.
    void SkipGameStartTurn();
    void SkipActionsOfTurn();
    void PrintTurn();
    void PrintEnd();

    Options options_;
    std::FILE* out_;
    size_t nextAction_ = 0;
    std::string endReason_;
    std::string election_;
    std::vector<std::string> happenings_;  // events and dilemmas since the last line
};
