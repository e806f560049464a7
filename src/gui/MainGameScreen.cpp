// The main game screen.
#include "gui/MainGameScreen.h"

#include "aids/InterfacePermissions.h"
#include "core/Application.h"
#include "engine/DebugLog.h"
#include "gui/FrameCommands.h"
#include "gui/GUI_FinanceBox.h"
#include "gui/GUI_ModalHolder.h"
#include "gui/GUI_PopularityBars.h"
#include "gui/GUI_QuitDialog.h"
#include "gui/GUI_WindowManager.h"
#include "gui/GuiInput.h"
#include "gui/Highlighter.h"
#include "gui/InfoWindows.h"
#include "gui/PolicyWindows.h"
#include "gui/TutorialManager.h"
#include "politics/PoliticalCapital.h"
#include "politics/USCongress.h"
#include "simulation/GameOptions.h"
#include "world/Gameplaymanager.h"

namespace {
// The widest finance-box text room kept free of icons, at scale 1.
constexpr float kFinanceTextReserve = 300.0f;
constexpr ControlPanelAction kFunctionKeys[6] = {
    ControlPanelAction::Polls,   ControlPanelAction::NewPolicy,    ControlPanelAction::Money,
    ControlPanelAction::Options, ControlPanelAction::Achievements, ControlPanelAction::NextTurn};
}  // namespace

MainGameScreen::MainGameScreen()
    : menu_(std::make_unique<GUI_RightClickMenu>(&MainGameScreen::OnControlPanel)) {}

MainGameScreen::~MainGameScreen() {
    menu_->Close();
}

void MainGameScreen::OnControlPanel(ControlPanelAction action) {
    switch (action) {
        case ControlPanelAction::Manifesto:
            OpenManifestoProgress();
            break;
        case ControlPanelAction::Polls:
            OpenPolls();
            break;
        case ControlPanelAction::NewPolicy:
            OpenNewPolicyPicker();
            break;
        case ControlPanelAction::Money:
            OpenFinances();
            break;
        case ControlPanelAction::Congress:
            OpenCongress();
            break;
        case ControlPanelAction::Options:
            SwitchScreen(kScreenOptions);
            break;
        case ControlPanelAction::Achievements:
            OpenAchievements();
            break;
        case ControlPanelAction::NextTurn:
            // The tour ends before its practice game's first turn; a turn
            // could bring an election or a quarterly report it does not know.
            if (TutorialManager::Instance().IsActive()) break;
            // The policy windows settle their changes before the turn counts them.
            RunAfterFrame([] {
                CloseTurnPolicyWindows();
                Gameplaymanager::Instance().NewTurn();
            });
            break;
    }
}

MapMetrics MainGameScreen::Metrics() const {
    return MapMetrics::ForScreen(int(ScreenWidth()), int(ScreenHeight()));
}

std::vector<Rect> MainGameScreen::PanelRects(const MapMetrics& metrics) const {
    const int w = metrics.width, h = metrics.height;
    const float scale = metrics.scale;
    // Room for the longest amounts the box shows, so that a richer turn
    // never grows the box under an icon.
    std::vector<Rect> rects{GUI_FinanceBox::BoxRect(w, h, scale, int(kFinanceTextReserve * scale))};
    for (int bar : {GUI_PopularityBars::kApproval, GUI_PopularityBars::kVotingIntention})
        rects.push_back(GUI_PopularityBars::BlockRect(bar, w, h, scale));
    const int buttons =
        panel_ ? panel_->ButtonCount() : int(GUI_ControlPanel::ButtonTable().size());
    rects.push_back(GUI_ControlPanel::PanelRect(buttons, w, h, scale));
    // The timeline's texts run out to either side of it.
    rects.push_back(Rect{0, GUI_ElectionTimeline::BarRect(w, h, scale).top, w, h});
    return rects;
}

void MainGameScreen::SynchroniseMap(const MapMetrics& metrics) {
    map_.SetSurroundings(PanelRects(metrics), Gameplaymanager::Instance().Seed());
    map_.Synchronise(metrics);
}

void MainGameScreen::Build(int width, int height, float scale) {
    Log("main game screen shown");
    panel_ = std::make_unique<GUI_ControlPanel>(&MainGameScreen::OnControlPanel,
                                                USCongress::Instance().IsEnabled());
    panel_->Layout(width, height, scale);
    timeline_.Layout(width, height, scale);
    menu_->Close();
}

void MainGameScreen::Activate() {
    GuiScreen::Activate();
    SynchroniseMap(Metrics());
    map_.RebuildConnectors();
}

bool MainGameScreen::PanelsShown() const {
    return InterfacePermissions::Instance().IsShown(InterfacePermissions::kControlPanel);
}

void MainGameScreen::RunFrame() {
    const MapMetrics metrics = Metrics();
    ClearToSlate();
    SynchroniseMap(metrics);
    // The group labels belong with the policy icons they name.
    if (InterfacePermissions::Instance().IsShown(InterfacePermissions::kPolicyIcons))
        map_.DrawGroupLabels(Gameplaymanager::Instance().TurnNumber());
    if (PanelsShown()) DrawPanels(metrics);
    map_.UpdateMapIcons();
    controls_->Draw();
    // Above what it points at, below the windows (the tour's step among them).
    Highlighter::Instance().Draw(*this);
    GUI_WindowManager::Instance().DrawAll();
}

void MainGameScreen::DrawPanels(const MapMetrics& metrics) {
    const GuiInput& input = GuiInput::Instance();
    GUI_FinanceBox::Draw(metrics.width, metrics.height, metrics.scale);
    GUI_PopularityBars::Draw(metrics.width, metrics.height, metrics.scale, input.mouseX,
                             input.mouseY);
    if (panel_) {
        // Marks the pointer as over a window, so icons under the panel stay calm.
        panel_->Update();
        panel_->Draw();
    }
    timeline_.Draw();
    issueBar_.Draw(metrics);
    if (GameOptions::Instance().Get(GameOptions::kRestrictPower) != 0.0f)
        actionPoints_.Draw(PoliticalCapital::Instance().Left(), metrics.width, metrics.height,
                           metrics.fit);
}

void MainGameScreen::MouseClick(int x, int y) {
    const float fx = float(x), fy = float(y);
    if (GUI_WindowManager::Instance().OnClick(fx, fy)) return;
    if (map_.OnClick(fx, fy)) return;
    if (!PanelsShown()) return;
    const MapMetrics metrics = Metrics();
    if (panel_ && panel_->OnClick(fx, fy)) return;
    if (issueBar_.OnClick(fx, fy, metrics)) return;
    GUI_PopularityBars::OnClick(fx, fy, metrics.width, metrics.height, metrics.scale);
}

void MainGameScreen::RightClick(int x, int y) {
    // A dialog that must be answered keeps every click to itself.
    if (GUI_ModalHolder::Instance().HasModalWindow()) return;
    // The menu offers the control panel's commands: hidden with it.
    if (!PanelsShown()) return;
    const MapMetrics metrics = Metrics();
    menu_->Open(float(x), float(y), metrics.width, metrics.height, metrics.scale);
}

void MainGameScreen::AfterLeftClick() {
    menu_->Close();
}

void MainGameScreen::Key(int keyCode) {
    // The screen's second id takes no keys.
    if (Application::Instance().CurrentScreenId() == 6) return;
    GUI_WindowManager& windows = GUI_WindowManager::Instance();
    if (keyCode == kEscapeScanCode) {
        if (menu_->IsShown())
            menu_->Close();
        else if (windows.AnyClosable())
            windows.CloseTopmost();
        else
            windows.Open(std::make_unique<GUI_QuitDialog>());
        return;
    }
    if (keyCode == kReturnScanCode) {
        // Alt+Return switches the display and is no answer to the dialog.
        if (!GuiInput::Instance().keyWithLeftAlt) ConfirmStartDialog();
        return;
    }
    // The function keys are the control panel's buttons: hidden with it.
    if (keyCode >= kF1ScanCode && keyCode < kF1ScanCode + 6 && PanelsShown()) {
        const ControlPanelAction action = kFunctionKeys[keyCode - kF1ScanCode];
        if (action == ControlPanelAction::NextTurn && NextTurnBlocked()) return;
        OnControlPanel(action);
    }
}
