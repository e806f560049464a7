// The openers of the information windows and the game's listeners.
#include "gui/InfoWindows.h"

#include <memory>
#include <vector>

#include "aids/Achievements.h"
#include "core/Application.h"
#include "gui/FrameCommands.h"
#include "gui/GUI_AchievementDialog.h"
#include "gui/GUI_AchievementsWindow.h"
#include "gui/GUI_CongressWindow.h"
#include "gui/GUI_DilemmaWindow.h"
#include "gui/GUI_ElectionWindow.h"
#include "gui/GUI_EventWindow.h"
#include "gui/GUI_FinanceWindow.h"
#include "gui/GUI_ManifestoChoiceWindow.h"
#include "gui/GUI_ManifestoWindow.h"
#include "gui/GUI_MessageWindow.h"
#include "gui/GUI_ModalHolder.h"
#include "gui/GUI_OppositionWindow.h"
#include "gui/GUI_PollBarWindow.h"
#include "gui/GUI_PollsWindow.h"
#include "gui/GUI_ReportWindow.h"
#include "gui/GUI_SituationMessageWindow.h"
#include "gui/GUI_SituationWindow.h"
#include "gui/GUI_StartDialog.h"
#include "gui/GUI_ValueWindow.h"
#include "gui/GUI_VoterGroupWindow.h"
#include "gui/GUI_WindowManager.h"
#include "politics/ElectionManager.h"
#include "politics/IssuesList.h"
#include "politics/Situation.h"
#include "world/Dilemma.h"
#include "world/DilemmaManager.h"
#include "world/Event.h"
#include "world/Manifesto.h"
#include "world/OppositionManager.h"
#include "world/StringTable.h"

namespace {

template <typename W>
std::vector<W*> OpenWindowsOf() {
    std::vector<W*> found;
    for (GUI_Window* window : GUI_WindowManager::Instance().Windows())
        if (auto* typed = dynamic_cast<W*>(window); typed && typed->IsVisible())
            found.push_back(typed);
    return found;
}

template <typename W>
void CloseAll() {
    for (W* window : OpenWindowsOf<W>()) window->Close();
}

// Opens a window of a kind that is shown once at a time, replacing any
// already open.
template <typename W, typename... Args>
W* OpenSingle(Args&&... args) {
    CloseAll<W>();
    return GUI_WindowManager::Instance().Open(std::make_unique<W>(std::forward<Args>(args)...));
}

}  // namespace

void OpenVoterGroupDetails(const VoterType& group) {
    OpenSingle<GUI_VoterGroupWindow>(group);
}
void OpenSituationDetails(const Situation& situation) {
    OpenSingle<GUI_SituationWindow>(situation);
}
void OpenValueDetails(const Simulation& value) {
    OpenSingle<GUI_ValueWindow>(value);
}
void OpenApprovalDetails() {
    OpenSingle<GUI_PollBarWindow>(GUI_PollBarWindow::Bar::Approval);
}
void OpenVotingIntentionDetails() {
    OpenSingle<GUI_PollBarWindow>(GUI_PollBarWindow::Bar::VotingIntention);
}
void OpenPolls() {
    OpenSingle<GUI_PollsWindow>();
}
void OpenFinances() {
    OpenSingle<GUI_FinanceWindow>();
}
void OpenManifestoProgress() {
    OpenSingle<GUI_ManifestoWindow>();
}
void OpenAchievements() {
    OpenSingle<GUI_AchievementsWindow>();
}

void OpenCongress() {
    // The midterm results already show the houses.
    for (GUI_CongressWindow* window : OpenWindowsOf<GUI_CongressWindow>())
        if (window->GetMode() == GUI_CongressWindow::Mode::MidtermResults) return;
    OpenSingle<GUI_CongressWindow>(GUI_CongressWindow::Mode::Overview);
}

bool OpenIssue(size_t index) {
    IssuesList& issues = IssuesList::Instance();
    if (index >= issues.Count()) return false;
    const IssueEntry waiting = issues.Entries()[index];
    // Taking the entry first would lose the event: its icon stays until the
    // open event has been read.
    if (waiting.kind == IssueKind::Event && !OpenWindowsOf<GUI_EventWindow>().empty()) return false;
    const std::optional<IssueEntry> entry = issues.Take(index);
    if (!entry || !entry->neuron) return false;
    Neuron& neuron = *entry->neuron;
    switch (entry->kind) {
        case IssueKind::Dilemma:
            if (neuron.Kind() == NeuronKind::Dilemma) {
                OpenDilemma(static_cast<Dilemma&>(neuron));
                return true;
            }
            break;
        case IssueKind::Event:
            if (neuron.Kind() == NeuronKind::Event) {
                OpenEvent(static_cast<Event&>(neuron));
                return true;
            }
            break;
        case IssueKind::SituationStarted:
        case IssueKind::SituationEnded:
            if (neuron.Kind() == NeuronKind::Situation) {
                OpenSituationMessage(static_cast<const Situation&>(neuron),
                                     entry->kind == IssueKind::SituationStarted);
                return true;
            }
            break;
    }
    // An entry of a kind its neuron does not match (a scripted one): its name
    // under the kind's words.
    GUI_WindowManager::Instance().Open(std::make_unique<GUI_MessageWindow>(
        GetString(IssuesList::Look(entry->kind).tooltipKey),
        neuron.DisplayName().empty() ? neuron.Name() : neuron.DisplayName()));
    return true;
}

void OpenDilemma(Dilemma& dilemma) {
    if (!dilemma.IsAwaitingChoice()) return;
    OpenSingle<GUI_DilemmaWindow>(dilemma);
}

void OpenEvent(Event& event) {
    if (!OpenWindowsOf<GUI_EventWindow>().empty()) return;
    GUI_WindowManager::Instance().Open(std::make_unique<GUI_EventWindow>(event));
}

void OpenSituationMessage(const Situation& situation, bool started) {
    GUI_WindowManager::Instance().Open(
        std::make_unique<GUI_SituationMessageWindow>(situation, started));
}

void OpenStartDialog() {
    OpenSingle<GUI_StartDialog>();
}

void OpenQuarterlyReport() {
    CloseAll<GUI_ReportWindow>();
    if (!OpenWindowsOf<GUI_OppositionWindow>().empty() ||
        !OpenWindowsOf<GUI_ElectionWindow>().empty())
        return;
    for (GUI_CongressWindow* window : OpenWindowsOf<GUI_CongressWindow>())
        if (window->GetMode() == GUI_CongressWindow::Mode::MidtermResults) return;
    GUI_WindowManager::Instance().Open(std::make_unique<GUI_ReportWindow>());
}

void OpenManifestoChoice() {
    OpenSingle<GUI_ManifestoChoiceWindow>();
}

void OpenElectionResults(float share, bool manifestoBroken) {
    OpenSingle<GUI_ElectionWindow>(share, manifestoBroken);
}

void OpenMidtermResults() {
    CloseAll<GUI_CongressWindow>();
    OpenSingle<GUI_CongressWindow>(GUI_CongressWindow::Mode::MidtermResults);
}

void OpenOppositionMessage(const OppositionMessage& message) {
    GUI_WindowManager::Instance().Open(std::make_unique<GUI_OppositionWindow>(message));
}

void OpenAchievementDialog(int index) {
    OpenSingle<GUI_AchievementDialog>(index);
}

bool ConfirmStartDialog() {
    const std::vector<GUI_StartDialog*> open = OpenWindowsOf<GUI_StartDialog>();
    for (GUI_StartDialog* dialog : open) dialog->Close();
    GUI_WindowManager::Instance().DeletePending();
    return !open.empty();
}

void CloseTurnWindows() {
    GUI_WindowManager& windows = GUI_WindowManager::Instance();
    GUI_ModalHolder& holder = GUI_ModalHolder::Instance();
    // A turn never starts under a dialog that must be answered, so one still
    // open means a game is being started or loaded: what it shows is going.
    const bool gameChanging = holder.HasModalWindow();
    for (GUI_Window* window : std::vector<GUI_Window*>(windows.Windows())) {
        const bool info = dynamic_cast<GUI_InfoWindow*>(window) != nullptr;
        if ((gameChanging && info) || (window->ClosesAtTurnEnd() && window != holder.ModalWindow()))
            windows.Close(window);
    }
    windows.DeletePending();
}

bool IsTurnBlocked() {
    if (GUI_ModalHolder::Instance().HasModalWindow()) return true;
    for (GUI_InfoWindow* window : OpenWindowsOf<GUI_InfoWindow>())
        if (window->IsModal()) return true;
    return IssuesList::Instance().BlocksNextTurn();
}

void EndGameToMainMenu() {
    // After the frame: the button that asked belongs to a window about to go.
    RunAfterFrame([] {
        GUI_ModalHolder::Instance().SetModalWindow(nullptr);
        GUI_WindowManager::Instance().DeleteAll();
        Application::Instance().SetGameStarted(false);
        Application::Instance().SetScreen(kScreenMainMenu);
    });
}

void InstallInfoWindowListeners() {
    ElectionManager::Instance().SetResultListener(
        [](float share) { OpenElectionResults(share, Manifesto::Instance().IsBroken()); });
    OppositionManager::Instance().SetMessageListener(
        [](const OppositionMessage& message) { OpenOppositionMessage(message); });
    Achievements::Instance().SetAwardListener([](int index) { OpenAchievementDialog(index); });
    DilemmaManager::Instance().SetChoiceListener([](Dilemma& dilemma, int) {
        for (GUI_DilemmaWindow* window : OpenWindowsOf<GUI_DilemmaWindow>())
            if (window->GetDilemma() == &dilemma) window->Close();
    });
}

void RemoveInfoWindowListeners() {
    ElectionManager::Instance().SetResultListener(nullptr);
    OppositionManager::Instance().SetMessageListener(nullptr);
    Achievements::Instance().SetAwardListener(nullptr);
    DilemmaManager::Instance().SetChoiceListener(nullptr);
}
