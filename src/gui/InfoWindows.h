// Opening the information windows and the windows a turn opens. The main
// screen's map, fixed panels, control panel and issues bar call the openers;
// the game's listeners (elections, the opposition, achievements, dilemmas)
// are pointed here by InstallInfoWindowListeners.
#pragma once

#include <cstddef>

class Dilemma;
class Event;
class Simulation;
class Situation;
class VoterType;
struct OppositionMessage;

// Details windows: one of each kind at a time, a new one replacing the old.
void OpenVoterGroupDetails(const VoterType& group);
void OpenSituationDetails(const Situation& situation);
void OpenValueDetails(const Simulation& value);
void OpenApprovalDetails();
void OpenVotingIntentionDetails();
void OpenPolls();
void OpenFinances();
void OpenManifestoProgress();
void OpenCongress();
void OpenAchievements();

// A click on icon `index` of the issues bar: opens the entry's window and
// takes the entry off the list. An event asked for while another event's
// window is open opens nothing and stays on the list; false then.
bool OpenIssue(size_t index);
// At most one dilemma window: a new one closes the one before. A dilemma
// already answered opens nothing.
void OpenDilemma(Dilemma& dilemma);
// Only when no event window is open; otherwise nothing happens.
void OpenEvent(Event& event);
void OpenSituationMessage(const Situation& situation, bool started);

// The windows of the end of a turn.
void OpenStartDialog();
// Replaces the report of the turn before; not opened while an opposition
// message or election or midterm results are on screen.
void OpenQuarterlyReport();
void OpenManifestoChoice();
void OpenElectionResults(float share, bool manifestoBroken);
void OpenMidtermResults();
void OpenOppositionMessage(const OppositionMessage& message);
// At most one congratulation: a new one replaces the one still shown.
void OpenAchievementDialog(int index);

// Return on the main screen: closes the start dialog if it is open; true
// when it was.
bool ConfirmStartDialog();
// The end of a turn: every window that closes then is closed. At a game
// start or a load (the only times a dialog that must be answered can still
// be open) every information window goes.
void CloseTurnWindows();
// A dialog that must be answered is open, or a dilemma waits on the issues
// list (unless the player ignores dilemmas).
bool IsTurnBlocked();
// A lost election or a successful attack: every window closes and the main
// menu returns, with no game to resume.
void EndGameToMainMenu();

// Points the elections, the opposition, the achievements and the dilemmas at
// these windows; Remove undoes it.
void InstallInfoWindowListeners();
void RemoveInfoWindowListeners();
