// Which screen a window shows on and which window hears the player, driven
// through the real screens: what a turn opens waits behind the loading
// screen, a window that must be answered keeps the input, game windows and
// the tour stay with the game screen, and map labels go under windows.
#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <memory>
#include <string>

#include "aids/TutorialSteps.h"
#include "core/GameRandom.h"
#include "engine/Diagnostics.h"
#include "gui/GUI_DilemmaWindow.h"
#include "gui/GUI_ElectionWindow.h"
#include "gui/GUI_FinanceWindow.h"
#include "gui/GUI_ManifestoChoiceWindow.h"
#include "gui/GUI_MessageWindow.h"
#include "gui/GUI_ModalHolder.h"
#include "gui/GUI_Pointer.h"
#include "gui/GUI_PollsWindow.h"
#include "gui/GUI_QuitDialog.h"
#include "gui/GUI_ReportWindow.h"
#include "gui/GUI_TextButton.h"
#include "gui/GUI_TutorialWindow.h"
#include "gui/GUI_WindowManager.h"
#include "gui/GuiScreen.h"
#include "gui/InfoWindows.h"
#include "gui/MainGameScreen.h"
#include "gui/TutorialManager.h"
#include "gui/icons/GUI_IconBase.h"
#include "gui/icons/GUI_IconConnectors.h"
#include "politics/ElectionManager.h"
#include "politics/IssuesList.h"
#include "simulation/GameOptions.h"
#include "support/GuiDriver.h"
#include "world/Calendar.h"
#include "world/Dilemma.h"
#include "world/DilemmaManager.h"
#include "world/Gameplaymanager.h"
#include "world/StringTable.h"

namespace {

constexpr int kEscape = MainGameScreen::kEscapeScanCode;
constexpr int kOptionsKey = MainGameScreen::kF1ScanCode + 3;
constexpr int kNextTurnKey = MainGameScreen::kF1ScanCode + 5;

void StartSeededGame(GuiDriver& driver) {
    GameOptions::Instance().Set(0.0f, GameOptions::kAutosave);
    GameOptions::Instance().Set(1.0f, GameOptions::kIgnoreDilemmas);
    GameOptions::Instance().Set(0.0f, GameOptions::kIgnoreManifesto);
    driver.StartGame(20240601);
    ConfirmStartDialog();
    driver.MoveTo(2.0f, float(ScreenHeight()) - 2.0f);
    driver.Frames(2);
}


float CentreX(const GUI_BaseElement& e) {
    return float(e.Left() + e.Right()) / 2.0f;
}
float CentreY(const GUI_BaseElement& e) {
    return float(e.Top() + e.Bottom()) / 2.0f;
}

GUI_TextButton* ScreenButton(GuiDriver& driver, const char* key) {
    auto* screen = dynamic_cast<GuiScreen*>(driver.App().CurrentScreen());
    if (!screen) return nullptr;
    for (const auto& button : screen->Controls().Buttons())
        if (auto* text = dynamic_cast<GUI_TextButton*>(button.get());
            text && text->Label() == GetString(key))
            return text;
    return nullptr;
}

// Whether any control of the screen shown lies under the point.
bool ControlAt(GuiDriver& driver, float x, float y) {
    auto* screen = dynamic_cast<GuiScreen*>(driver.App().CurrentScreen());
    for (const auto& button : screen->Controls().Buttons())
        if (button->Contains(x, y)) return true;
    return false;
}

bool Overlap(const Rect& a, const Rect& b) {
    return a.left < b.right && b.left < a.right && a.top < b.bottom && b.top < a.bottom;
}

bool Runs(const TutorialStep& step, const char* command) {
    return std::find(step.commands.begin(), step.commands.end(), command) != step.commands.end();
}

// A bare paper panel.
class PaperWindow : public GUI_Window {
protected:
    void DrawPanel() override { DrawPaperPanel(rect_); }
};

// The window's coloured left edge, where the loading screen has only its
// background (the window is wider than the loading panel).
void ExpectNotDrawnOnTheLoadingScreen(GuiDriver& driver, const GUI_Window& window) {
    ASSERT_EQ(driver.App().CurrentScreenId(), kScreenLoading);
    const platform::Image frame = driver.Screenshot();
    const int x = window.Left() + 3, y = (window.Top() + window.Bottom()) / 2;
    ASSERT_LT(x, 512 - 256);  // left of the loading panel
    EXPECT_EQ(frame.At(x, y), frame.At(2, 2)) << "the window shows on the loading screen";
}

}  // namespace

TEST(WindowLayers, WindowsATurnOpensWaitBehindTheLoadingScreenForItsClick) {
    GuiDriver driver(1024, 768);
    ResetDiagnosticsCounters();
    StartSeededGame(driver);
    Gameplaymanager& game = Gameplaymanager::Instance();

    // An ordinary turn ends in the quarterly report.
    driver.Key(kNextTurnKey);
    ASSERT_EQ(game.TurnNumber(), 2);
    GUI_ReportWindow* report = TopVisible<GUI_ReportWindow>();
    ASSERT_NE(report, nullptr);
    ExpectNotDrawnOnTheLoadingScreen(driver, *report);
    // The click the loading screen asks for, where the report's cross will be.
    const GUI_Button* cross = report->Buttons().front().get();
    ClickCentre(driver, cross);
    EXPECT_EQ(driver.App().CurrentScreenId(), kScreenMainGame);
    EXPECT_EQ(TopVisible<GUI_ReportWindow>(), report);
    ClickCentre(driver, cross);
    EXPECT_EQ(TopVisible<GUI_ReportWindow>(), nullptr);

    // A turn that leaves three months to the election asks for the manifesto.
    Calendar& calendar = Calendar::Instance();
    const auto electionIn = [&calendar](int months) {
        const int month = calendar.GetMonth() + months;
        ElectionManager::Instance().Restore(month % 12, calendar.GetYear() + month / 12, 0);
    };
    electionIn(6);
    driver.Key(kNextTurnKey);
    GUI_ManifestoChoiceWindow* manifesto = TopVisible<GUI_ManifestoChoiceWindow>();
    ASSERT_NE(manifesto, nullptr);
    ExpectNotDrawnOnTheLoadingScreen(driver, *manifesto);
    driver.Click(600.0f, 600.0f);
    ASSERT_EQ(driver.App().CurrentScreenId(), kScreenMainGame);
    // Over the report, the choice takes the first click.
    ClickCentre(driver, manifesto->PublishButton());
    EXPECT_EQ(TopVisible<GUI_ManifestoChoiceWindow>(), nullptr);
    if (GUI_ReportWindow* next = TopVisible<GUI_ReportWindow>())
        ClickCentre(driver, next->Buttons().front().get());

    // The election's results.
    electionIn(3);
    driver.Key(kNextTurnKey);
    GUI_ElectionWindow* election = TopVisible<GUI_ElectionWindow>();
    ASSERT_NE(election, nullptr);
    ExpectNotDrawnOnTheLoadingScreen(driver, *election);
    driver.Click(600.0f, 600.0f);
    ASSERT_EQ(driver.App().CurrentScreenId(), kScreenMainGame);
    // The count ran only once the window could be seen; a click skips it.
    EXPECT_TRUE(election->IsCounting());
    driver.Click(float(election->Left() + 40), float(election->Top() + 100));
    ASSERT_NE(election->ResultButton(), nullptr);
    ClickCentre(driver, election->ResultButton());
    driver.Frames(1);
    EXPECT_FALSE(IsTurnBlocked());
    EXPECT_EQ(FailedAssertionCount(), 0);
}

TEST(WindowLayers, AWindowThatMustBeAnsweredKeepsTheInputFromWindowsBeneathAndAbove) {
    GuiDriver driver(1024, 768);
    ResetDiagnosticsCounters();
    StartSeededGame(driver);

    struct Case {
        const char* name;
        std::function<GUI_Window*()> open;
        std::function<GUI_Button*(GUI_Window*)> answer;
        std::function<bool()> answered;
    };
    Dilemma* dilemma = nullptr;
    const Case cases[] = {
        {"dilemma",
         [&dilemma] {
             GameOptions::Instance().Set(0.0f, GameOptions::kIgnoreDilemmas);
             for (Dilemma* d : DilemmaManager::Instance().Dilemmas())
                 if (d->PassesCountryFilter() && !d->IsTriggered()) dilemma = d;
             dilemma->Trigger();
             OpenIssue(IssuesList::Instance().Count() - 1);
             return TopVisible<GUI_DilemmaWindow>();
         },
         [](GUI_Window* w) { return static_cast<GUI_DilemmaWindow*>(w)->OptionButton(0); },
         [&dilemma] { return !dilemma->IsAwaitingChoice(); }},
        {"manifesto",
         [] {
             OpenManifestoChoice();
             return TopVisible<GUI_ManifestoChoiceWindow>();
         },
         [](GUI_Window* w) { return static_cast<GUI_ManifestoChoiceWindow*>(w)->PublishButton(); },
         [] { return TopVisible<GUI_ManifestoChoiceWindow>() == nullptr; }},
        {"election",
         [] {
             OpenElectionResults(0.6f, false);
             TopVisible<GUI_ElectionWindow>()->FinishCounting();
             return TopVisible<GUI_ElectionWindow>();
         },
         [](GUI_Window* w) { return static_cast<GUI_ElectionWindow*>(w)->ResultButton(); },
         [] { return TopVisible<GUI_ElectionWindow>() == nullptr; }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        // A closable window beneath the one that must be answered.
        OpenPolls();
        GUI_Window* modal = c.open();
        ASSERT_NE(modal, nullptr);
        driver.Frames(1);
        ASSERT_EQ(GUI_ModalHolder::Instance().ModalWindow(), modal);
        GUI_Button* answer = c.answer(modal);
        ASSERT_NE(answer, nullptr);

        // Escape closes nothing beneath it: it asks whether to quit, and that
        // question is the one that hears the clicks, on each of its buttons.
        for (int button = 0; button < 2; ++button) {
            driver.Key(kEscape);
            EXPECT_NE(TopVisible<GUI_PollsWindow>(), nullptr);
            auto* quit = TopVisible<GUI_QuitDialog>();
            ASSERT_NE(quit, nullptr);
            // A click on the answer beside the question does not reach it.
            if (!quit->Contains(CentreX(*answer), CentreY(*answer))) {
                ClickCentre(driver, answer);
                EXPECT_FALSE(c.answered());
                EXPECT_EQ(TopVisible<GUI_QuitDialog>(), quit);
            }
            ClickCentre(driver, button == 0 ? quit->CancelButton() : quit->Buttons().front().get());
            EXPECT_EQ(TopVisible<GUI_QuitDialog>(), nullptr);
            EXPECT_FALSE(c.answered());
            ASSERT_EQ(GUI_ModalHolder::Instance().ModalWindow(), modal);
        }
        // Escape a second time puts the question away.
        driver.Key(kEscape);
        ASSERT_NE(TopVisible<GUI_QuitDialog>(), nullptr);
        driver.Key(kEscape);
        EXPECT_EQ(TopVisible<GUI_QuitDialog>(), nullptr);
        EXPECT_EQ(GUI_ModalHolder::Instance().ModalWindow(), modal);

        ClickCentre(driver, answer);
        driver.Frames(1);
        EXPECT_TRUE(c.answered());
        EXPECT_FALSE(GUI_ModalHolder::Instance().HasModalWindow());
        ASSERT_EQ(driver.App().CurrentScreenId(), kScreenMainGame);
        driver.Key(kEscape);  // the polls go now
        EXPECT_EQ(TopVisible<GUI_PollsWindow>(), nullptr);
    }
    EXPECT_EQ(FailedAssertionCount(), 0);
}

TEST(WindowLayers, GameWindowsAndTheTourStayWithTheGameScreen) {
    GuiDriver driver(1024, 768);
    ResetDiagnosticsCounters();
    StartSeededGame(driver);
    GUI_WindowManager& windows = GUI_WindowManager::Instance();

    // The budget report stays behind when the options are opened.
    OpenFinances();
    GUI_FinanceWindow* finances = TopVisible<GUI_FinanceWindow>();
    ASSERT_NE(finances, nullptr);
    const GUI_Button* cross = finances->Buttons().front().get();
    const float x = CentreX(*cross), y = CentreY(*cross);
    driver.Key(kOptionsKey);
    ASSERT_EQ(driver.App().CurrentScreenId(), kScreenOptions);
    ASSERT_FALSE(ControlAt(driver, x, y));
    driver.Click(x, y);
    EXPECT_TRUE(windows.IsOpen(finances));
    ClickCentre(driver, ScreenButton(driver, "MAIN_MENU"));
    ASSERT_EQ(driver.App().CurrentScreenId(), kScreenMainMenu);
    // Back in the game it is where it was and closes at its cross.
    ClickCentre(driver, ScreenButton(driver, "RESUMEGAME"));
    ASSERT_EQ(driver.App().CurrentScreenId(), kScreenMainGame);
    driver.Click(x, y);
    EXPECT_EQ(TopVisible<GUI_FinanceWindow>(), nullptr);

    // The tour waits on the step before the one that opens the polls.
    TutorialSteps steps;
    ASSERT_TRUE(steps.Load());
    size_t step = 0;
    while (step + 1 < steps.Count() && !Runs(steps.Steps()[step + 1], "POLLSWINDOW_OPEN")) ++step;
    ASSERT_LT(step + 1, steps.Count());
    GameRandom::Seed(20240601);
    TutorialManager& tour = TutorialManager::Instance();
    tour.Start();
    driver.Frames(2);
    while (tour.IsActive() && tour.StepIndex() < step)
        ClickCentre(driver, tour.StepWindow()->NextButton());
    ASSERT_TRUE(tour.IsActive());
    ASSERT_EQ(tour.StepIndex(), step);
    const GUI_Button* next = tour.StepWindow()->NextButton();
    const float nx = CentreX(*next), ny = CentreY(*next);
    driver.Key(kOptionsKey);
    ASSERT_EQ(driver.App().CurrentScreenId(), kScreenOptions);
    for (int screen = 0; screen < 2; ++screen) {
        ASSERT_FALSE(ControlAt(driver, nx, ny)) << driver.App().CurrentScreenId();
        driver.Click(nx, ny);
        EXPECT_EQ(tour.StepIndex(), step);
        EXPECT_EQ(TopVisible<GUI_PollsWindow>(), nullptr);
        if (screen == 0) ClickCentre(driver, ScreenButton(driver, "MAIN_MENU"));
    }
    ClickCentre(driver, ScreenButton(driver, "RESUMEGAME"));
    ASSERT_EQ(driver.App().CurrentScreenId(), kScreenMainGame);
    driver.Click(nx, ny);
    EXPECT_EQ(tour.StepIndex(), step + 1);
    EXPECT_NE(TopVisible<GUI_PollsWindow>(), nullptr);
    EXPECT_EQ(FailedAssertionCount(), 0);
}

TEST(WindowLayers, MapLabelsGoUnderWindows) {
    GuiDriver driver(1024, 768);
    ResetDiagnosticsCounters();
    StartSeededGame(driver);
    GUI_WindowManager::Instance().DeleteAll();
    // An icon whose lines name another icon, and a window over that name only.
    auto* window = GUI_WindowManager::Instance().Open(std::make_unique<PaperWindow>());
    window->SetRect(0.0f, 0.0f, 300.0f, 120.0f);
    GUI_IconBase* rested = nullptr;
    for (GUI_IconBase* icon : GUI_IconBase::AllIcons()) {
        if (!icon->Subject() || !icon->IsKindShown() || !icon->Tooltip()) continue;
        for (const auto& line : icon->Connectors().Lines()) {
            GUI_IconBase* other =
                line->SourceIcon() == icon ? line->TargetIcon() : line->SourceIcon();
            if (other->ShowsWholeName() || !other->Tooltip()) continue;
            const Rect name = other->Tooltip()->GetRect();
            window->SetPosition(float(name.left - 20), float(name.top - 20));
            const Rect over = window->GetRect();
            const bool covers = name.right < over.right && name.bottom < over.bottom;
            const Rect pointer = GUI_Pointer::PointerRect(CentreX(*icon), CentreY(*icon), 1.0f);
            const bool clear = !Overlap(over, icon->GetRect()) &&
                               !Overlap(over, icon->Tooltip()->GetRect()) &&
                               !Overlap(over, pointer) && over.left >= 0 && over.top >= 0 &&
                               over.right <= 1024 && over.bottom <= 768;
            if (covers && clear) {
                rested = icon;
                break;
            }
        }
        if (rested) break;
    }
    ASSERT_NE(rested, nullptr);
    const Rect over = window->GetRect();
    const auto windowPixels = [&driver, &over] {
        const platform::Image frame = driver.Screenshot();
        std::vector<std::uint32_t> pixels;
        for (int y = over.top; y < over.bottom; ++y)
            for (int x = over.left; x < over.right; ++x) pixels.push_back(frame.At(x, y));
        return pixels;
    };
    driver.Frames(30);
    const std::vector<std::uint32_t> calm = windowPixels();
    // The pointer rests on the icon until its lines and their names show.
    driver.MoveTo(CentreX(*rested), CentreY(*rested));
    driver.Frames(40);
    ASSERT_TRUE(rested->Connectors().IsVisible());
    EXPECT_TRUE(windowPixels() == calm) << "a map label shows over the window";
    driver.Screenshot("map_label_under_window");
    EXPECT_EQ(FailedAssertionCount(), 0);
}
