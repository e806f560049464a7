// The guided tour driven through the real screens: every shipped step by its
// Next button with the interface's permissions obeyed in between, the end
// back at the main menu with everything restored, a missing steps file, a
// new game replacing the tour, and golden pictures of three steps.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>

#include "aids/InterfacePermissions.h"
#include "aids/TutorialSteps.h"
#include "core/GameRandom.h"
#include "engine/Diagnostics.h"
#include "gui/GUI_HoverImageButton.h"
#include "gui/GUI_PolicyDetailsWindow.h"
#include "gui/GUI_PollBarWindow.h"
#include "gui/GUI_PollsWindow.h"
#include "gui/GUI_PopularityBars.h"
#include "gui/GUI_TabContainer.h"
#include "gui/GUI_TextButton.h"
#include "gui/GUI_TutorialWindow.h"
#include "gui/GUI_VoterGroupWindow.h"
#include "gui/GUI_WindowManager.h"
#include "gui/Highlighter.h"
#include "gui/MainGameScreen.h"
#include "gui/PolicyWindows.h"
#include "gui/TutorialManager.h"
#include "politics/IssuesList.h"
#include "politics/Policy.h"
#include "simulation/GameOptions.h"
#include "support/GuiDriver.h"
#include "support/ImageCompare.h"
#include "world/Gameplaymanager.h"

namespace {

using P = InterfacePermissions;

template <typename W>
W* Open() {
    for (GUI_Window* window : GUI_WindowManager::Instance().Windows())
        if (auto* found = dynamic_cast<W*>(window); found && found->IsVisible()) return found;
    return nullptr;
}

bool SameRect(const std::optional<Rect>& a, const Rect& b) {
    return a && a->left == b.left && a->top == b.top && a->right == b.right &&
           a->bottom == b.bottom;
}

MapPoint CentreOf(const Rect& r) {
    return {float(r.left + r.right) / 2.0f, float(r.top + r.bottom) / 2.0f};
}

bool OnScreen(const Rect& r) {
    return r.left >= 0 && r.top >= 0 && r.right <= int(ScreenWidth()) &&
           r.bottom <= int(ScreenHeight());
}

bool Runs(const TutorialStep& step, const char* command) {
    return std::find(step.commands.begin(), step.commands.end(), command) != step.commands.end();
}

bool AllRestored() {
    for (int flag = 0; flag < P::kEnableCount; ++flag)
        if (!P::Instance().IsEnabled(flag)) return false;
    for (int flag = 0; flag < P::kShowCount; ++flag)
        if (!P::Instance().IsShown(flag)) return false;
    return true;
}

// The tour from a seeded generator, as the mission screen's button starts it.
MainGameScreen* StartTour(GuiDriver& driver) {
    GameRandom::Seed(20240601);
    GameOptions::Instance().Set(1.0f, GameOptions::kRestrictPower);
    TutorialManager::Instance().Start();
    driver.Frames(2);
    driver.MoveTo(float(ScreenWidth()) / 2.0f, 2.0f);  // over nothing that reacts
    return dynamic_cast<MainGameScreen*>(driver.App().CurrentScreen());
}

void PressNext(GuiDriver& driver) {
    GUI_TutorialWindow* window = TutorialManager::Instance().StepWindow();
    ASSERT_NE(window, nullptr);
    const MapPoint at = CentreOf(window->NextButton()->GetRect());
    driver.Click(at.x, at.y);
    driver.MoveTo(float(ScreenWidth()) / 2.0f, 2.0f);
}

// A click on the map that the step window does not catch.
void ClickOnMap(GuiDriver& driver, MapPoint at) {
    const GUI_TutorialWindow* window = TutorialManager::Instance().StepWindow();
    ASSERT_FALSE(window && window->Contains(at.x, at.y));
    driver.Click(at.x, at.y);
}

void ExpectGolden(GuiDriver& driver, const std::string& name) {
    driver.MoveTo(512.0f, 2.0f);
    driver.Frames(30);  // any hover's fade is over
    EXPECT_TRUE(MatchesGolden(
        driver.Screenshot("tutorial_" + name),
        std::string(POLITY_SOURCE_DIR) + "/tests/gui/golden/tutorial_" + name + "_1024x768.png"));
}

}  // namespace

TEST(Tutorial, ArrowsStepPlacesAndHighlightCommands) {
    const auto arrows = ArrowsAround(Rect{100, 200, 150, 260}, 32.0f);
    EXPECT_EQ(arrows[0].x, 68.0f);
    EXPECT_EQ(arrows[0].y, 230.0f);
    EXPECT_EQ(arrows[1].angle, 180.0f);
    EXPECT_EQ(arrows[2].y, 168.0f);
    EXPECT_EQ(arrows[3].x, 125.0f);
    EXPECT_EQ(arrows[3].angle, 270.0f);
    // Scaled from the reference screen, then kept whole on the real one.
    EXPECT_NEAR(PlaceStepWindow(312.0f, 234.0f, 750.0f, 562.0f, 1920, 1080).top, 329.06f, 0.01f);
    EXPECT_FLOAT_EQ(PlaceStepWindow(700.0f, 600.0f, 312.0f, 234.0f, 800, 600).left, 488.0f);
    EXPECT_FLOAT_EQ(PlaceStepWindow(100.0f, 100.0f, 900.0f, 700.0f, 800, 600).top, 0.0f);

    // A target clears the kind and a kind the target; both policy names
    // point at the policy icons; names are exact.
    Highlighter& highlighter = Highlighter::Instance();
    TutorialManager& tour = TutorialManager::Instance();
    EXPECT_TRUE(tour.RunCommand("HIGHLIGHT_INCOMETAX"));
    EXPECT_TRUE(tour.RunCommand("HIGHLIGHT_POLDETAILS"));
    EXPECT_FALSE(highlighter.HasTarget());
    EXPECT_EQ(highlighter.Kind(), HighlightKind::PolicyIcons);
    EXPECT_TRUE(tour.RunCommand("HIGHLIGHT_NONE"));
    EXPECT_TRUE(tour.RunCommand("HIGHLIGHT_POLICYICONS"));
    EXPECT_EQ(highlighter.Kind(), HighlightKind::PolicyIcons);
    EXPECT_FALSE(tour.RunCommand("highlight_none"));
    EXPECT_FALSE(tour.RunCommand("HIGHLIGHT_NONE "));
    EXPECT_EQ(highlighter.Kind(), HighlightKind::PolicyIcons);
    highlighter.Clear();
}

TEST(Tutorial, WalksEveryShippedStepWithThePermissionsObeyed) {
    GuiDriver driver(1024, 768);
    TutorialSteps steps;
    ASSERT_TRUE(steps.Load());
    const std::vector<std::string> known = TutorialManager::CommandNames();
    for (const TutorialStep& step : steps.Steps())
        for (const std::string& command : step.commands)
            EXPECT_NE(std::find(known.begin(), known.end(), command), known.end()) << command;
    MainGameScreen* screen = StartTour(driver);
    ASSERT_NE(screen, nullptr);
    TutorialManager& tour = TutorialManager::Instance();
    ASSERT_EQ(tour.StepCount(), steps.Count());
    EXPECT_NE(IssuesList::Instance().FindByName("TrainCrash"), nullptr);
    EXPECT_NE(IssuesList::Instance().FindByName("AppointJudge"), nullptr);
    Policy* incomeTax = Policy::FindPolicy("IncomeTax");
    ASSERT_NE(incomeTax, nullptr);
    GUI_IconBase* taxIcon = GUI_IconBase::IconFor(incomeTax);
    ASSERT_NE(taxIcon, nullptr);
    const MapPoint taxCentre = CentreOf(taxIcon->GetRect());
    bool peopleAllowed = false;

    for (size_t i = 0; i < steps.Count(); ++i) {
        const TutorialStep& step = steps.Steps()[i];
        SCOPED_TRACE("step on line " + std::to_string(step.line));
        GUI_TutorialWindow* window = tour.StepWindow();
        ASSERT_NE(window, nullptr);
        ASSERT_EQ(tour.StepIndex(), i);
        EXPECT_EQ(window->StepText(), step.text);
        EXPECT_TRUE(OnScreen(window->GetRect()));
        EXPECT_EQ(GUI_WindowManager::Instance().Windows().back(), window);
        if (i == 0) {
            // Hidden icons take no clicks, even where their details are
            // allowed; nothing stands in for the hidden control panel.
            EXPECT_FALSE(P::Instance().IsEnabled(P::kPolicyDetails));
            P::Instance().SetEnabled(P::kPolicyDetails, true);
            ClickOnMap(driver, taxCentre);
            EXPECT_EQ(FindPolicyDetails(), nullptr);
            P::Instance().SetEnabled(P::kPolicyDetails, false);
            driver.Key(MainGameScreen::kF1ScanCode);
            EXPECT_EQ(Open<GUI_PollsWindow>(), nullptr);
            driver.RightClick(taxCentre.x, taxCentre.y);
            EXPECT_FALSE(screen->RightClickMenu().IsShown());
        }
        if (Runs(step, "HIGHLIGHT_PEOPLEICONS") || Runs(step, "ENABLE_PEOPLEDETAILS")) {
            // A voter group opens only once its step allows it.
            peopleAllowed = peopleAllowed || Runs(step, "ENABLE_PEOPLEDETAILS");
            const GUI_peopleStrip* strip = screen->Map().Strips().back().get();
            ClickOnMap(driver, CentreOf(strip->GetRect()));
            ASSERT_EQ(Open<GUI_VoterGroupWindow>() != nullptr, peopleAllowed);
            if (peopleAllowed) driver.Key(MainGameScreen::kEscapeScanCode);  // the step stays
            EXPECT_EQ(Open<GUI_VoterGroupWindow>(), nullptr);
            if (!peopleAllowed) ExpectGolden(driver, "people");
        }
        if (Runs(step, "HIGHLIGHT_INCOMETAX")) {
            EXPECT_TRUE(SameRect(Highlighter::Instance().TargetRect(), taxIcon->GetRect()));
            ClickOnMap(driver, taxCentre);
            EXPECT_EQ(FindPolicyDetails(), nullptr);
            ExpectGolden(driver, "incometax");
        }
        if (Runs(step, "POLICYPOLLSTAB")) {
            ASSERT_NE(FindPolicyDetails(), nullptr);
            EXPECT_EQ(FindPolicyDetails()->GetPolicy(), incomeTax);
            GUI_TabContainer& tabs = FindPolicyDetails()->Tabs();
            EXPECT_EQ(tabs.ShownTab(), tabs.Tabs()[1].get());  // Effects
        }
        if (Runs(step, "POLICYWIN_CLOSE")) {
            EXPECT_EQ(FindPolicyDetails(), nullptr);
        }
        if (Runs(step, "HIGHLIGHT_POPBARS")) {
            EXPECT_EQ(Highlighter::Members(HighlightKind::PopularityBars, *screen).size(), 2u);
            const Rect bar = GUI_PopularityBars::BlockRect(0, 1024, 768, 1.0f);
            ClickOnMap(driver, CentreOf(bar));
            ASSERT_NE(Open<GUI_PollBarWindow>(), nullptr);
            tour.Next();  // the explanation may cover the button; the next step closes it
            driver.Frames(1);
            EXPECT_EQ(Open<GUI_PollBarWindow>(), nullptr);
            continue;
        }
        if (Runs(step, "HIGHLIGHT_POLLSWINDOW")) {
            ASSERT_NE(Open<GUI_PollsWindow>(), nullptr);
            EXPECT_TRUE(
                SameRect(Highlighter::Instance().TargetRect(), Open<GUI_PollsWindow>()->GetRect()));
            ExpectGolden(driver, "polls");
        }
        if (Runs(step, "HIGHLIGHT_NEXTTURNBUT")) {
            // Not even with dilemmas ignored does a turn pass during the tour.
            GameOptions::Instance().Set(1.0f, GameOptions::kIgnoreDilemmas);
            GUI_HoverImageButton* nextTurn = screen->ControlPanel()->NextTurnButton();
            EXPECT_TRUE(SameRect(Highlighter::Instance().TargetRect(), nextTurn->GetRect()));
            ClickOnMap(driver, CentreOf(nextTurn->GetRect()));
            driver.Key(MainGameScreen::kF1ScanCode + 5);
            driver.Frames(2);
            EXPECT_FALSE(nextTurn->IsEnabled());
            EXPECT_EQ(Gameplaymanager::Instance().TurnNumber(), 1);
            GameOptions::Instance().Set(0.0f, GameOptions::kIgnoreDilemmas);
        }
        if (Runs(step, "ENABLE_POLICYDETAILS")) {
            ClickOnMap(driver, taxCentre);
            EXPECT_NE(FindPolicyDetails(), nullptr);
            ClosePolicyDetails();
        }
        PressNext(driver);
    }
    // The last Next: everything back, no highlight, the main menu, no game.
    driver.Frames(2);
    EXPECT_FALSE(tour.IsActive());
    EXPECT_TRUE(AllRestored());
    EXPECT_FALSE(Highlighter::Instance().HasTarget());
    EXPECT_EQ(Highlighter::Instance().Kind(), HighlightKind::None);
    EXPECT_EQ(driver.App().CurrentScreenId(), kScreenMainMenu);
    EXPECT_TRUE(GUI_WindowManager::Instance().Windows().empty());
    EXPECT_FALSE(driver.App().IsGameStarted());
}

TEST(Tutorial, EveryStepFitsOnSmallAndLargeScreens) {
    for (const auto& [width, height] : {std::pair{800, 600}, std::pair{1920, 1080}}) {
        GuiDriver driver(width, height);
        ASSERT_NE(StartTour(driver), nullptr);
        TutorialManager& tour = TutorialManager::Instance();
        for (size_t i = 0; tour.IsActive(); ++i) {
            ASSERT_NE(tour.StepWindow(), nullptr);
            EXPECT_TRUE(OnScreen(tour.StepWindow()->GetRect())) << width << " step " << i;
            // For a look (written only when POLITY_SCREENSHOT_DIR is set).
            driver.Screenshot("tutorial_" + std::to_string(width) + "_step" + std::to_string(i));
            tour.Next();
        }
    }
}

TEST(Tutorial, WithoutItsFileTheTourEndsAtTheFirstPress) {
    GuiDriver driver(1024, 768);
    ResetDiagnosticsCounters();
    TutorialManager& tour = TutorialManager::Instance();
    tour.SetStepsPath("data/no_such_tour.csv");
    ASSERT_NE(StartTour(driver), nullptr);
    tour.SetStepsPath(TutorialSteps::kDefaultPath);
    EXPECT_EQ(FailedAssertionCount(), 1);
    EXPECT_NE(LastAssertionReport().find("filename:Tutorialmanager,"), std::string::npos);
    EXPECT_EQ(tour.StepCount(), 0u);
    PressNext(driver);
    driver.Frames(2);
    EXPECT_FALSE(tour.IsActive());
    EXPECT_TRUE(AllRestored());
    EXPECT_EQ(driver.App().CurrentScreenId(), kScreenMainMenu);
}

TEST(Tutorial, ANewGameReplacesTheTourAndLeavesTheInterfaceWhole) {
    GuiDriver driver(1024, 768);
    ASSERT_NE(StartTour(driver), nullptr);
    // Left through the options for the main menu, and a country chosen.
    driver.App().SetScreen(kScreenMainMenu);
    Gameplaymanager::Instance().StartGame("mission1");
    driver.Frames(2);
    EXPECT_FALSE(TutorialManager::Instance().IsActive());
    EXPECT_EQ(TutorialManager::Instance().StepWindow(), nullptr);
    EXPECT_TRUE(AllRestored());
    EXPECT_EQ(Highlighter::Instance().Kind(), HighlightKind::None);
}
