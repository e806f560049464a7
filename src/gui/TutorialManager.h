// The guided tour for new players: a new game of the practice country, and
// over it a step window that walks through the main screen one paragraph at
// a time. Each step first runs its commands, which open and close windows,
// show and hide parts of the screen, allow and forbid clicks and point the
// highlighter at something. The steps are data (see TutorialSteps).
#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

#include "aids/TutorialSteps.h"
#include "core/EnrolledManager.h"

class GUI_TutorialWindow;

class TutorialManager : public EnrolledManager {
public:
    static constexpr const char* kMission = "tutorial";

    static TutorialManager& Instance();

    // Once the current frame is over (it starts a game, which draws frames
    // of its own): a new game of the practice country with its rail crash
    // and its dilemma waiting, every interaction forbidden, step 0 shown.
    void Start();
    // The step window's button: the next step, or after the last one the end.
    void Next();
    // Every permission and part of the screen back, no highlight, and the
    // main menu, with no game to resume.
    void End();

    // Runs one command by its exact name; false for a name it does not know
    // (which then does nothing).
    bool RunCommand(std::string_view name);
    static std::vector<std::string> CommandNames();

    bool IsActive() const { return active_; }
    size_t StepIndex() const { return index_; }
    size_t StepCount() const { return steps_.Count(); }
    GUI_TutorialWindow* StepWindow() const;

    // Where the steps are read from; tests point it at their own files.
    void SetStepsPath(std::string path) { path_ = std::move(path); }

    // A new game or a loaded one replaces the practice game: the tour stops
    // quietly (and so it does at shutdown), leaving the interface whole.
    void Reset() override;

private:
    TutorialManager() = default;
    void Begin();
    void ShowStep();
    void Stop();

    TutorialSteps steps_;
    std::string path_ = TutorialSteps::kDefaultPath;
    size_t index_ = 0;
    bool active_ = false;
};
