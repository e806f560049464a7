// The main game screen.
#include "gui/MainGameScreen.h"

#include <cstdio>

#include "core/Application.h"
#include "engine/D3DEngine.h"
#include "engine/DebugLog.h"
#include "engine/StyleSheet.h"
#include "gui/FrameCommands.h"
#include "gui/GUI_MessageWindow.h"
#include "gui/GUI_WindowManager.h"
#include "gui/GuiText.h"
#include "politics/IssuesList.h"
#include "politics/Polls.h"
#include "politics/USCongress.h"
#include "simulation/Mission.h"
#include "simulation/Neuron.h"
#include "world/Calendar.h"
#include "world/Gameplaymanager.h"
#include "world/StringTable.h"

namespace {
constexpr int kEscapeScanCode = 1;
}  // namespace

void MainGameScreen::OnControlPanel(ControlPanelAction action) {
    if (action == ControlPanelAction::NextTurn) {
        RunAfterFrame([] { Gameplaymanager::Instance().NewTurn(); });
        return;
    }
    if (action == ControlPanelAction::Options) {
        SwitchScreen(kScreenOptions);
        return;
    }
    // The windows behind the other buttons come with their own screens; until
    // then each opens a panel that names it.
    for (const ControlPanelButtonEntry& entry : GUI_ControlPanel::ButtonTable())
        if (entry.action == action)
            GUI_WindowManager::Instance().Open(
                std::make_unique<GUI_MessageWindow>(GetString(entry.tooltipKey), ""));
}

void MainGameScreen::OpenIssue(size_t index) {
    const std::optional<IssueEntry> entry = IssuesList::Instance().Take(index);
    if (!entry) return;
    const IssueLook look = IssuesList::Look(entry->kind);
    std::string text = IssuesList::MessageText(*entry);
    if (text.empty() && entry->neuron) text = entry->neuron->Name();
    GUI_WindowManager::Instance().Open(
        std::make_unique<GUI_MessageWindow>(GetString(look.tooltipKey), text));
}

void MainGameScreen::Build(int width, int height, float scale) {
    Log("main game screen shown");
    panel_ = std::make_unique<GUI_ControlPanel>(&MainGameScreen::OnControlPanel,
                                                USCongress::Instance().IsEnabled());
    panel_->Layout(width, height, scale);
}

void MainGameScreen::MouseClick(int x, int y) {
    if (GUI_WindowManager::Instance().OnClick(float(x), float(y))) return;
    if (panel_ && panel_->OnClick(float(x), float(y))) return;
    const IssuesList& issues = IssuesList::Instance();
    if (const auto index =
            IssuesList::IconAt(x, y, issues.Count(), int(ScreenWidth()), int(ScreenHeight())))
        OpenIssue(*index);
}

void MainGameScreen::Key(int keyCode) {
    if (keyCode == kEscapeScanCode) GUI_WindowManager::Instance().CloseTopmost();
}

void MainGameScreen::DrawBackground() {
    ClearToSlate();
    const float scale = Application::Instance().InterfaceScale();
    DrawHeader(int(ScreenWidth()), scale);
    DrawIssueBar(int(ScreenWidth()), int(ScreenHeight()));
}

void MainGameScreen::DrawHeader(int width, float scale) {
    D3DEngine& engine = D3DEngine::Instance();
    const int height = int(56 * scale);
    engine.FillRect(Rect{0, 0, width, height}, 0xFFF4F1EAu);
    engine.FillRect(Rect{0, height, width, height + int(3 * scale)}, 0xFF0072B2u);
    const float top = float(height) / 2.0f - float(ScaledStyleSize(StyleSheet::kTitle)) * 0.6f;
    DrawStyledText(StyleSheet::kTitle, 24.0f * scale, top, Mission::Instance().Name());
    Calendar& calendar = Calendar::Instance();
    char turn[160];
    std::snprintf(turn, sizeof turn, "%s %d  \xB7  %s %d  \xB7  %s %.0f%%",
                  calendar.MonthName().c_str(), calendar.GetYear(),
                  GetString("LOAD_CURRENTTURN").c_str(), Gameplaymanager::Instance().TurnNumber(),
                  GetString("LOAD_APPROVAL").c_str(),
                  double(Polls::Instance().Approval() * 100.0f));
    const float textTop =
        float(height) / 2.0f - float(ScaledStyleSize(StyleSheet::kHeadline)) * 0.6f;
    DrawStyledText(StyleSheet::kHeadline, float(width) / 2.0f, textTop, turn,
                   float(width) / 2.0f - 24.0f * scale, GdiText::kRight);
}

void MainGameScreen::DrawIssueBar(int width, int height) {
    const IssuesList& issues = IssuesList::Instance();
    D3DEngine& engine = D3DEngine::Instance();
    for (size_t i = 0; i < issues.Count(); ++i) {
        const IssueIconRectangle r = IssuesList::IconRectangle(i, issues.Count(), width, height);
        engine.SetTexture(IssuesList::Look(issues.Entries()[i].kind).icon);
        Sprite sprite;
        sprite.SetSize(float(r.right - r.left), float(r.bottom - r.top));
        sprite.SetPosition(float(r.left + r.right) / 2.0f, float(r.top + r.bottom) / 2.0f);
        sprite.DrawUnchecked();
    }
}

void MainGameScreen::DrawForeground() {
    if (panel_) {
        panel_->Update();
        panel_->Draw();
    }
}
