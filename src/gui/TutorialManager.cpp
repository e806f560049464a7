// The guided tour: its start, its steps, its commands and its end.
#include "gui/TutorialManager.h"

#include <memory>
#include <optional>

#include "aids/InterfacePermissions.h"
#include "core/Application.h"
#include "gui/FrameCommands.h"
#include "gui/GUI_ControlPanel.h"
#include "gui/GUI_FinanceWindow.h"
#include "gui/GUI_HoverImageButton.h"
#include "gui/GUI_ModalHolder.h"
#include "gui/GUI_NewPolicyWindow.h"
#include "gui/GUI_PolicyDetailsWindow.h"
#include "gui/GUI_PollBarWindow.h"
#include "gui/GUI_PollsWindow.h"
#include "gui/GUI_TutorialWindow.h"
#include "gui/GUI_WindowManager.h"
#include "gui/Highlighter.h"
#include "gui/InfoWindows.h"
#include "gui/MainGameScreen.h"
#include "gui/PolicyWindows.h"
#include "gui/icons/GUI_IconBase.h"
#include "politics/Policy.h"
#include "simulation/Network.h"
#include "world/Dilemma.h"
#include "world/DilemmaManager.h"
#include "world/Event.h"
#include "world/EventManager.h"
#include "world/Gameplaymanager.h"

namespace {

using Permissions = InterfacePermissions;

constexpr const char* kIncomeTax = "IncomeTax";
// The details window's tabs in the order it adds them.
constexpr int kEffectsTab = 1;

template <typename W>
W* FindOpen() {
    for (GUI_Window* window : GUI_WindowManager::Instance().Windows())
        if (auto* found = dynamic_cast<W*>(window); found && found->IsVisible()) return found;
    return nullptr;
}

template <typename W>
void CloseOpen() {
    for (GUI_Window* window : std::vector<GUI_Window*>(GUI_WindowManager::Instance().Windows()))
        if (auto* found = dynamic_cast<W*>(window); found && found->IsVisible())
            GUI_WindowManager::Instance().Close(found);
}

template <typename W>
std::optional<Rect> OpenWindowRect() {
    if (const W* window = FindOpen<W>()) return window->GetRect();
    return std::nullopt;
}

MainGameScreen* GameScreen() {
    return dynamic_cast<MainGameScreen*>(Application::Instance().CurrentScreen());
}

void Enable(int flag, bool enabled) {
    Permissions::Instance().SetEnabled(flag, enabled);
}

void Show(int flag, bool shown) {
    Permissions::Instance().SetShown(flag, shown);
}

void Point(Highlighter::Target target) {
    Highlighter::Instance().SetTarget(std::move(target));
}

void PointAt(HighlightKind kind) {
    Highlighter::Instance().SetKind(kind);
}

std::optional<Rect> IncomeTaxIcon() {
    if (!Permissions::Instance().IsShown(Permissions::kPolicyIcons)) return std::nullopt;
    const Neuron* neuron = Network::FindByName(kIncomeTax);
    const GUI_IconBase* icon = neuron ? GUI_IconBase::IconFor(neuron) : nullptr;
    if (!icon) return std::nullopt;
    return icon->GetRect();
}

std::optional<Rect> NextTurnButton() {
    if (!Permissions::Instance().IsShown(Permissions::kControlPanel)) return std::nullopt;
    const MainGameScreen* screen = GameScreen();
    if (!screen || !screen->ControlPanel() || !screen->ControlPanel()->NextTurnButton())
        return std::nullopt;
    return screen->ControlPanel()->NextTurnButton()->GetRect();
}

void OpenIncomeTax() {
    Policy* policy = Policy::FindPolicy(kIncomeTax);
    // Not in force, it would get its introduce window: not what the step shows.
    if (policy && policy->IsInForce()) OpenPolicyDetails(*policy);
}

// Our policy window has no polls tab; the step that asks for it talks about
// what the policy does, which its Effects tab shows.
void ShowEffectsTab() {
    if (GUI_PolicyDetailsWindow* window = FindPolicyDetails())
        window->Tabs().SelectIndex(kEffectsTab);
}

struct TutorialCommand {
    const char* name;
    void (*run)();
};

const std::vector<TutorialCommand>& Commands() {
    using P = Permissions;
    using K = HighlightKind;
    static const std::vector<TutorialCommand> commands = {
        {"POLLSWINDOW_OPEN", [] { OpenPolls(); }},
        {"POLLSWINDOW_CLOSE", [] { CloseOpen<GUI_PollsWindow>(); }},
        {"POLICYPOLLSTAB", ShowEffectsTab},
        {"FINANCEWINDOW_OPEN", [] { OpenFinances(); }},
        {"FINANCEWINDOW_CLOSE", [] { CloseOpen<GUI_FinanceWindow>(); }},
        {"NEWPOLICYWINDOW_OPEN", [] { OpenNewPolicyPicker(); }},
        {"NEWPOLICYWINDOW_CLOSE", [] { CloseNewPolicyPicker(); }},
        {"POLICYWIN_OPEN", OpenIncomeTax},
        {"POLICYWIN_CLOSE", [] { ClosePolicyDetails(); }},
        {"ENABLE_PEOPLEDETAILS", [] { Enable(P::kPeopleDetails, true); }},
        {"DISABLE_PEOPLEDETAILS", [] { Enable(P::kPeopleDetails, false); }},
        {"ENABLE_HOVERHIGHLIGHT", [] { Enable(P::kHoverHighlight, true); }},
        {"DISABLE_HOVERHIGHLIGHT", [] { Enable(P::kHoverHighlight, false); }},
        {"ENABLE_POLICYDETAILS", [] { Enable(P::kPolicyDetails, true); }},
        {"DISABLE_POLICYDETAILS", [] { Enable(P::kPolicyDetails, false); }},
        {"ENABLE_APPROVALDETAILS", [] { Enable(P::kApprovalDetails, true); }},
        {"DISABLE_APPROVALDETAILS",
         [] {
             Enable(P::kApprovalDetails, false);
             CloseOpen<GUI_PollBarWindow>();
         }},
        {"HIGHLIGHT_INCOMETAX", [] { Point(IncomeTaxIcon); }},
        {"HIGHLIGHT_NEXTTURNBUT", [] { Point(NextTurnButton); }},
        {"HIGHLIGHT_POLPICKER", [] { Point(OpenWindowRect<GUI_NewPolicyWindow>); }},
        {"HIGHLIGHT_POLLSWINDOW", [] { Point(OpenWindowRect<GUI_PollsWindow>); }},
        {"HIGHLIGHT_FINANCEDETAILS", [] { Point(OpenWindowRect<GUI_FinanceWindow>); }},
        {"HIGHLIGHT_NONE", [] { Point(nullptr); }},
        {"HIGHLIGHT_POLICYICONS", [] { PointAt(K::PolicyIcons); }},
        {"HIGHLIGHT_POLDETAILS", [] { PointAt(K::PolicyIcons); }},
        {"HIGHLIGHT_PEOPLEICONS", [] { PointAt(K::PeopleIcons); }},
        {"HIGHLIGHT_SITUATIONICONS", [] { PointAt(K::SituationIcons); }},
        {"HIGHLIGHT_ISSUES", [] { PointAt(K::IssuesList); }},
        {"HIGHLIGHT_POLLSBUTTON", [] { PointAt(K::PollsButton); }},
        {"HIGHLIGHT_POPBARS", [] { PointAt(K::PopularityBars); }},
        {"SHOW_POLICYICONS", [] { Show(P::kPolicyIcons, true); }},
        {"HIDE_POLICYICONS", [] { Show(P::kPolicyIcons, false); }},
        {"SHOW_SITICONS", [] { Show(P::kSituationIcons, true); }},
        {"HIDE_SITICONS", [] { Show(P::kSituationIcons, false); }},
        {"SHOW_PEOPLESTRIPS", [] { Show(P::kPeopleStrips, true); }},
        {"HIDE_PEOPLESTRIPS", [] { Show(P::kPeopleStrips, false); }},
        {"SHOW_SIMSTRIPS", [] { Show(P::kSimulationStrips, true); }},
        {"HIDE_SIMSTRIPS", [] { Show(P::kSimulationStrips, false); }},
        {"SHOW_CONTROLPANEL", [] { Show(P::kControlPanel, true); }},
        {"HIDE_CONTROLPANEL", [] { Show(P::kControlPanel, false); }},
    };
    return commands;
}

}  // namespace

TutorialManager& TutorialManager::Instance() {
    static TutorialManager manager;
    return manager;
}

std::vector<std::string> TutorialManager::CommandNames() {
    std::vector<std::string> names;
    for (const TutorialCommand& command : Commands()) names.emplace_back(command.name);
    return names;
}

bool TutorialManager::RunCommand(std::string_view name) {
    for (const TutorialCommand& command : Commands()) {
        if (name != command.name) continue;
        command.run();
        return true;
    }
    return false;
}

GUI_TutorialWindow* TutorialManager::StepWindow() const {
    return FindOpen<GUI_TutorialWindow>();
}

void TutorialManager::Start() {
    RunAfterFrame([] { Instance().Begin(); });
}

void TutorialManager::Begin() {
    index_ = 0;
    steps_.Load(path_);
    Application::Instance().SetGameStarted(true);
    // Starting the game resets every enrolled manager, this one too: a tour
    // already running stops before the new one is set up.
    Gameplaymanager::Instance().StartGame(kMission);
    ConfirmStartDialog();
    if (Event* crash = EventManager::Instance().FindEvent("TrainCrash")) crash->Fire();
    if (Dilemma* judge = DilemmaManager::Instance().FindDilemma("AppointJudge")) judge->Trigger();
    active_ = true;
    // Everything is forbidden before the first step runs, so that a first
    // step may allow something and be obeyed.
    InterfacePermissions::Instance().SetAllEnabled(false);
    Highlighter::Instance().Clear();
    ShowStep();
    Application::Instance().SetScreen(kScreenMainGame);
}

void TutorialManager::ShowStep() {
    const std::vector<TutorialStep>& steps = steps_.Steps();
    const TutorialStep* step = index_ < steps.size() ? &steps[index_] : nullptr;
    if (step)
        for (const std::string& command : step->commands) RunCommand(command);
    GUI_WindowManager& windows = GUI_WindowManager::Instance();
    GUI_TutorialWindow* window = StepWindow();
    if (!window) {
        window = windows.Open(std::make_unique<GUI_TutorialWindow>([] { Instance().Next(); }));
    } else {
        // Windows the commands opened come below the step, which stays readable.
        windows.Raise(window);
    }
    if (step)
        window->ShowStep(step->text, index_, steps.size(), step->x, step->y);
    else
        window->ShowStep("", 0, 0, GUI_TutorialWindow::kCentreX, GUI_TutorialWindow::kCentreY);
}

void TutorialManager::Next() {
    if (!active_) return;
    if (index_ + 1 >= steps_.Count()) {
        End();
        return;
    }
    ++index_;
    ShowStep();
}

void TutorialManager::Stop() {
    if (GUI_TutorialWindow* window = StepWindow()) GUI_WindowManager::Instance().Close(window);
    InterfacePermissions::Instance().RestoreAll();
    Highlighter::Instance().Clear();
    steps_.Clear();
    index_ = 0;
    active_ = false;
}

void TutorialManager::End() {
    Stop();
    // After the frame: the button that asked belongs to a window about to go.
    RunAfterFrame([] {
        GUI_ModalHolder::Instance().SetModalWindow(nullptr);
        GUI_WindowManager::Instance().DeleteAll();
        Application::Instance().SetGameStarted(false);
        Application::Instance().SetScreen(kScreenMainMenu);
    });
}

void TutorialManager::Reset() {
    if (active_) Stop();
}
