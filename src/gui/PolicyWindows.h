// Opening and closing the windows through which the player acts on policies
// (details of a policy in force, the new-policy picker, the introduce window
// and the restricted-powers dialogs), plus the few helpers they share. The
// main screen, the control panel, the tutorial and the turn call these.
#pragma once

#include <cstdint>
#include <string>

class Policy;
class GUI_PolicyDetailsWindow;
class GUI_NewPolicyWindow;
class GUI_IntroducePolicyWindow;
class GUI_Window;

// The details window of a policy in force (one at a time: an open one for
// another policy goes through its own close path first and, if that asks a
// question, the new one does not open). A policy not in force gets its
// introduce window instead.
void OpenPolicyDetails(Policy& policy);
// Closes it at once; under restricted powers an unconfirmed slider change is
// paid for when capital is left and undone when none is.
void ClosePolicyDetails();
GUI_PolicyDetailsWindow* FindPolicyDetails();

// Under restricted powers with no capital left the blocked dialog opens
// instead; otherwise the picker opens unless it is open already.
void OpenNewPolicyPicker();
void CloseNewPolicyPicker();
GUI_NewPolicyWindow* FindNewPolicyPicker();

// Replaces any introduce window that is open.
void OpenIntroducePolicy(Policy& policy);
GUI_IntroducePolicyWindow* FindIntroducePolicy();

// Before a turn: the picker and the introduce window close; the details
// window settles its change (paid for from the capital left, or undone when
// none is) and stays open over the turn. Called just before the turn starts,
// so a change it undoes is recorded ahead of the turn; nothing happens while
// a dialog waits for an answer (no turn can start then). A details window
// not settled so is closed with the others by the turn or a game start.
void CloseTurnPolicyWindows();

// The window is the topmost and no dialog waits for an answer: only then do
// its slider and list follow the pointer and keys.
bool IsFrontWindow(const GUI_Window* window);

// The game option "RESTRICTPOWER" is on.
bool RestrictedPowers();
// The dialog that says the turn's political capital is used up.
void OpenRestrictPowersBlocked();

// The colour of a policy group (0..6) on panels and buttons.
std::uint32_t PolicyGroupColour(int groupIndex);
// "<amount> / <per turn>" as the money lines show it.
std::string MoneyPerTurn(float amountInMillions);
// What a policy not yet in force would cost, or else raise, per turn once
// introduced (its slider starts in the middle): the label ("COST" or
// "INCOME") and the amount, both empty when it does neither.
struct PolicyMoneyNote {
    std::string label;
    std::string amount;
};
PolicyMoneyNote NewPolicyMoneyNote(const Policy& policy);
// The text cut to fit `width` pixels in the style, ending in "..." when cut.
std::string FitText(int style, const std::string& text, int width);
// The description's first sentence: the line a list shows of a policy.
std::string FirstSentence(const std::string& text);
