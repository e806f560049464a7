// The main game screen of a seeded first country, driven through scripted
// input: the map in line with the game, hover highlight and fade, clicks on
// icons, the right-click menu, the fixed panels against the game's state,
// and golden screenshots at the reference and a large size.
#include <gtest/gtest.h>

#include <cmath>
#include <regex>
#include <sstream>
#include <string>

#include "aids/InterfacePermissions.h"
#include "core/GameRandom.h"
#include "engine/D3DEngine.h"
#include "engine/Diagnostics.h"
#include "engine/GdiText.h"
#include "gui/GUI_FinanceBox.h"
#include "gui/GUI_FloatingLayer.h"
#include "gui/GUI_PolicyDetailsWindow.h"
#include "gui/GUI_PopularityBars.h"
#include "gui/GUI_QuitDialog.h"
#include "gui/GUI_TextButton.h"
#include "gui/GUI_VoterGroupWindow.h"
#include "gui/GUI_WindowManager.h"
#include "gui/GuiInput.h"
#include "gui/GuiScreen.h"
#include "gui/MainGameScreen.h"
#include "gui/icons/GUI_IconConnectors.h"
#include "gui/icons/GUI_NeuralEffect.h"
#include "gui/icons/GUI_PolicyIcon.h"
#include "gui/icons/GUI_SimulationBars.h"
#include "gui/icons/GUI_peopleStrip.h"
#include "gui/icons/MapText.h"
#include "platform/ImageFiles.h"
#include "politics/ElectionManager.h"
#include "politics/IssuesList.h"
#include "politics/Policy.h"
#include "politics/PolicyGroup.h"
#include "politics/PolicyManager.h"
#include "politics/PoliticalCapital.h"
#include "politics/VoterManager.h"
#include "politics/VoterType.h"
#include "simulation/GameOptions.h"
#include "simulation/Network.h"
#include "simulation/Simulation.h"
#include "support/GuiDriver.h"
#include "support/ImageCompare.h"
#include "world/Finances.h"
#include "world/Gameplaymanager.h"
#include "world/MoneyFormat.h"
#include "world/StringTable.h"

namespace {

constexpr std::uint32_t kSeed = 20240601;

// A seeded first country, then enough frames for the opening fade to end.
MainGameScreen* StartSeededGame(GuiDriver& driver) {
    GameOptions::Instance().Set(0.0f, GameOptions::kRestrictPower);
    driver.StartGame(kSeed);
    // Return answers the game's opening dialog.
    driver.Key(MainGameScreen::kReturnScanCode);
    driver.MoveTo(2.0f, float(ScreenHeight()) - 2.0f);  // a corner with nothing on it
    driver.Frames(30);
    EXPECT_TRUE(GUI_WindowManager::Instance().Windows().empty());
    return dynamic_cast<MainGameScreen*>(driver.App().CurrentScreen());
}

MapPoint CentreOf(const GUI_BaseElement& element) {
    return {float(element.Left() + element.Right()) / 2.0f,
            float(element.Top() + element.Bottom()) / 2.0f};
}

// A policy icon whose centre no other icon covers.
GUI_PolicyIcon* UncoveredPolicyIcon() {
    for (GUI_IconBase* icon : GUI_IconBase::AllIcons()) {
        auto* policy = dynamic_cast<GUI_PolicyIcon*>(icon);
        if (!policy || policy->Connectors().Lines().empty()) continue;
        const MapPoint c = policy->Centre();
        bool covered = false;
        for (GUI_IconBase* other : GUI_IconBase::AllIcons())
            covered |= other != icon && other->Contains(c.x, c.y);
        if (!covered) return policy;
    }
    return nullptr;
}

float DrawnAlpha(const GUI_IconBase& icon) {
    return GUI_IconBase::NoHighlight() ? 1.0f : icon.Alpha();
}

template <typename W>
W* TopWindow() {
    const auto& windows = GUI_WindowManager::Instance().Windows();
    return windows.empty() ? nullptr : dynamic_cast<W*>(windows.back());
}

}  // namespace

TEST(MainScreen, TheMapStandsForTheGame) {
    // The driver starts the count afresh: other tests report assertions on purpose.
    GuiDriver driver(1024, 768);
    const int failures = FailedAssertionCount();
    MainGameScreen* screen = StartSeededGame(driver);
    ASSERT_NE(screen, nullptr);
    MainScreenMap& map = screen->Map();
    // A strip per voter group, a bar per value, an icon per policy in force.
    EXPECT_EQ(map.Strips().size(), VoterManager::Instance().VoterTypes().size());
    EXPECT_EQ(map.Bars().size(), SimulationManager::Instance().Values().size());
    const MapMetrics metrics = map.Metrics();
    const IconBounds bounds = IconCentreBounds(metrics);
    size_t policies = 0;
    for (int g = 0; g < MainScreenMap::kGroupCount; ++g) {
        PolicyGroupGUI& group = map.GroupGUI(g);
        policies += group.Group()->ActivePolicies().size();
        for (const auto& icon : group.Icons().Icons()) {
            const MapPoint c = icon->Centre();
            EXPECT_GE(c.x, bounds.left - 1.0f);
            EXPECT_LE(c.x, bounds.right + 1.0f);
            EXPECT_GE(c.y, bounds.top - 1.0f);
            EXPECT_LE(c.y, bounds.bottom + 1.0f);
            if (auto* policy = dynamic_cast<GUI_PolicyIcon*>(icon.get())) {
                EXPECT_FALSE(policy->IconTexture().empty()) << policy->GetPolicy()->Name();
            }
        }
    }
    size_t policyIcons = 0;
    for (GUI_IconBase* icon : GUI_IconBase::AllIcons())
        policyIcons += dynamic_cast<GUI_PolicyIcon*>(icon) != nullptr;
    EXPECT_EQ(policyIcons, policies);
    // Every policy of the game, in force or not, has an icon to show.
    for (const Policy* policy : Policy::AllPolicies())
        EXPECT_FALSE(GUI_PolicyIcon::FindIconTexture(*policy).empty()) << policy->Name();
    // The strips fill the grid column by column from its top-left place.
    ASSERT_FALSE(map.Strips().empty());
    EXPECT_EQ(map.Strips()[0]->Left(), 1024 / 2 - 170);
    EXPECT_EQ(map.Strips()[0]->Top(), 768 / 2 - 110);

    // A policy introduced during the turn gets its icon at the next frame,
    // and one cancelled loses it.
    Policy* fresh = nullptr;
    for (Policy* policy : Policy::AllPolicies())
        if (!policy->IsInForce() && policy->Group()) fresh = policy;
    ASSERT_NE(fresh, nullptr);
    fresh->Introduce();
    driver.Frames(1);
    EXPECT_NE(GUI_IconBase::IconFor(fresh), nullptr);
    fresh->Cancel();
    driver.Frames(1);
    EXPECT_EQ(GUI_IconBase::IconFor(fresh), nullptr);

    // A new screen size lays the same icons out again at its own scale.
    GUI_IconBase* firstPolicy = map.GroupGUI(2).Icons().Icons().empty()
                                    ? nullptr
                                    : map.GroupGUI(2).Icons().Icons()[0].get();
    const size_t icons = GUI_IconBase::AllIcons().size();
    const MapMetrics small = MapMetrics::ForScreen(800, 600);
    EXPECT_TRUE(map.Synchronise(small));
    EXPECT_EQ(GUI_IconBase::AllIcons().size(), icons);
    EXPECT_EQ(map.Strips()[0]->Left(), int(400 - 170 * small.fit));
    EXPECT_EQ(map.Strips()[0]->Width(), int(100 * small.fit));
    EXPECT_EQ(map.Bars().back()->Right(), 800);
    if (firstPolicy) {
        EXPECT_FLOAT_EQ(firstPolicy->Size(), 50.0f * small.scale);
        EXPECT_LE(firstPolicy->Centre().y, IconCentreBounds(small).bottom + 1.0f);
    }
    EXPECT_FALSE(map.Synchronise(small));  // nothing more to do
    map.Synchronise(metrics);
    EXPECT_EQ(FailedAssertionCount(), failures) << LastAssertionReport();
}

TEST(MainScreen, KeysAndPanelsOpenTheirWindows) {
    GuiDriver driver(1024, 768);
    MainGameScreen* screen = StartSeededGame(driver);
    ASSERT_NE(screen, nullptr);
    GUI_WindowManager& windows = GUI_WindowManager::Instance();
    // F3 is the money button: the finance window.
    driver.Key(MainGameScreen::kF1ScanCode + 2);
    ASSERT_EQ(windows.Windows().size(), 1u);
    windows.DeleteAll();
    // F6 ends the turn, but not while a dilemma waits.
    Neuron* dilemma = Network::Create<Neuron>();
    dilemma->SetName("KeyDilemma");
    IssuesList::Instance().AddDilemma(dilemma);
    driver.Key(MainGameScreen::kF1ScanCode + 5);
    EXPECT_EQ(Gameplaymanager::Instance().TurnNumber(), 1);
    IssuesList::Instance().Remove(dilemma);
    driver.Key(MainGameScreen::kF1ScanCode + 5);
    EXPECT_EQ(Gameplaymanager::Instance().TurnNumber(), 2);
    if (driver.App().CurrentScreenId() == kScreenLoading) driver.Click(500, 500);
    ASSERT_EQ(driver.App().CurrentScreenId(), kScreenMainGame);
    windows.DeleteAll();

    // The approval bar explains itself, unless approval details are barred.
    const Rect approval =
        GUI_PopularityBars::BlockRect(GUI_PopularityBars::kApproval, 1024, 768, 1.0f);
    InterfacePermissions::Instance().SetEnabled(InterfacePermissions::kApprovalDetails, false);
    driver.Click(float(approval.left + 10), float(approval.bottom - 4));
    EXPECT_TRUE(windows.Windows().empty());
    InterfacePermissions::Instance().RestoreAll();
    driver.Click(float(approval.left + 10), float(approval.bottom - 4));
    EXPECT_EQ(windows.Windows().size(), 1u);
    windows.DeleteAll();

    // Without the control panel's show flag the panels and their clicks go.
    InterfacePermissions::Instance().SetShown(InterfacePermissions::kControlPanel, false);
    const platform::Image bare = driver.Screenshot();
    const Rect box = GUI_FinanceBox::BoxRect(1024, 768, 1.0f);
    EXPECT_TRUE(PixelNear(bare, 512, box.top + 3, 0x2E3A4B, 2));
    driver.Click(float(approval.left + 10), float(approval.bottom - 4));
    EXPECT_TRUE(windows.Windows().empty());
    InterfacePermissions::Instance().RestoreAll();
}

TEST(MainScreen, LinkDotsKeepTheirSpeedAtAnyFrameRateAndRestWhenLeftAlone) {
    GuiDriver driver(1024, 768);
    driver.PaceFrames(1000.0 / 60.0);
    ASSERT_NE(StartSeededGame(driver), nullptr);
    GUI_PolicyIcon* icon = UncoveredPolicyIcon();
    ASSERT_NE(icon, nullptr);
    driver.MoveTo(icon->Centre().x, icon->Centre().y);
    driver.Frames(6);
    ASSERT_TRUE(icon->Connectors().IsVisible());
    // A line long enough that its dots do not wrap within a sixth of a second.
    const GUI_NeuralEffect* line = nullptr;
    for (const auto& each : icon->Connectors().Lines())
        if (!each->Dots().empty() && each->Length() > 60.0f &&
            GUI_NeuralEffect::CurrentValue(*each->Effect()) != 0.0f)
            line = each.get();
    ASSERT_NE(line, nullptr);
    const auto travelled = [&](int frames) {
        const float before = line->Dots()[0];
        driver.Frames(frames);
        return std::fmod(line->Dots()[0] - before + line->Length(), line->Length());
    };
    const float at60 = travelled(10);
    EXPECT_GT(at60, 0.0f);
    driver.PaceFrames(1000.0 / 30.0);
    EXPECT_NEAR(travelled(5), at60, 0.5f) << "the same sixth of a second at 30 frames a second";

    // Left alone for eight seconds the dots stop and the picture stands
    // still, so the frame pacer lets it be; a nudge of the mouse runs them again.
    driver.Frames(250);
    const std::uint64_t still = D3DEngine::Instance().LastFrameSignature();
    EXPECT_FLOAT_EQ(travelled(10), 0.0f);
    EXPECT_EQ(D3DEngine::Instance().LastFrameSignature(), still);
    driver.MoveTo(icon->Centre().x + 1.0f, icon->Centre().y);
    EXPECT_GT(travelled(5), 0.0f);
}

TEST(MainScreen, HoverLightsAnIconAndItsLinksThenTheOthersFadeBack) {
    GuiDriver driver(1024, 768);
    MainGameScreen* screen = StartSeededGame(driver);
    ASSERT_NE(screen, nullptr);
    GUI_PolicyIcon* icon = UncoveredPolicyIcon();
    ASSERT_NE(icon, nullptr);
    const MapPoint centre = icon->Centre();
    driver.MoveTo(centre.x, centre.y);
    // At once the icon is lit, and from the next frame every icon it is not
    // linked to is dimmed.
    EXPECT_TRUE(icon->IsHighlighted());
    driver.Frames(1);
    GUI_IconBase* unrelated = nullptr;
    for (GUI_IconBase* other : GUI_IconBase::AllIcons())
        if (!other->IsHighlighted()) unrelated = other;
    ASSERT_NE(unrelated, nullptr);
    EXPECT_FLOAT_EQ(DrawnAlpha(*unrelated), 0.15f);
    EXPECT_FALSE(icon->Connectors().IsVisible());  // the pointer has not rested yet
    driver.Frames(5);
    EXPECT_TRUE(icon->Connectors().IsVisible());
    // Resting, the icon's links light up with it.
    for (const auto& line : icon->Connectors().Lines()) {
        EXPECT_TRUE(line->SourceIcon()->IsHighlighted());
        EXPECT_TRUE(line->TargetIcon()->IsHighlighted());
    }
    driver.Frames(20);
    EXPECT_TRUE(icon->Tooltip()->IsShowing());
    driver.Screenshot("mainscreen_hover_1024x768");

    // The pointer leaves for an empty corner: the others stay dim for 12
    // frames, then fade back, all at full strength from the 25th frame on.
    driver.MoveTo(2.0f, 766.0f);
    driver.Frames(11);
    EXPECT_FLOAT_EQ(DrawnAlpha(*unrelated), 0.15f);
    driver.Frames(1);
    EXPECT_NEAR(DrawnAlpha(*unrelated), 0.184f, 1e-3f);
    driver.Frames(11);
    EXPECT_LT(DrawnAlpha(*unrelated), 1.0f);
    driver.Frames(1);
    EXPECT_FLOAT_EQ(DrawnAlpha(*unrelated), 1.0f);
    EXPECT_FLOAT_EQ(DrawnAlpha(*icon), 1.0f);

    // Without hover highlighting nothing lights or dims.
    InterfacePermissions::Instance().SetEnabled(InterfacePermissions::kHoverHighlight, false);
    driver.MoveTo(centre.x, centre.y);
    driver.Frames(6);
    EXPECT_FALSE(icon->IsHighlighted());
    EXPECT_FALSE(icon->Connectors().IsVisible());
    InterfacePermissions::Instance().RestoreAll();
}

TEST(MainScreen, ClicksOnIconsOpenTheirDetailsWhereAllowed) {
    GuiDriver driver(1024, 768);
    MainGameScreen* screen = StartSeededGame(driver);
    ASSERT_NE(screen, nullptr);
    GUI_PolicyIcon* icon = UncoveredPolicyIcon();
    ASSERT_NE(icon, nullptr);
    const MapPoint centre = icon->Centre();
    driver.Click(centre.x, centre.y);
    ASSERT_NE(TopWindow<GUI_PolicyDetailsWindow>(), nullptr);
    EXPECT_EQ(TopWindow<GUI_PolicyDetailsWindow>()->GetPolicy(), icon->GetPolicy());
    driver.Screenshot("mainscreen_details_1024x768");
    driver.Key(MainGameScreen::kEscapeScanCode);
    EXPECT_TRUE(GUI_WindowManager::Instance().Windows().empty());
    // The corner of its square is outside the round icon's reach.
    driver.Click(float(icon->Left()) + 1.0f, float(icon->Top()) + 1.0f);
    EXPECT_TRUE(GUI_WindowManager::Instance().Windows().empty());

    // A voter group's strip opens that group.
    const GUI_peopleStrip& strip = *screen->Map().Strips()[3];
    driver.Click(CentreOf(strip).x, CentreOf(strip).y);
    ASSERT_NE(TopWindow<GUI_VoterGroupWindow>(), nullptr);
    EXPECT_EQ(TopWindow<GUI_VoterGroupWindow>()->Group(), strip.Group());
    GUI_WindowManager::Instance().DeleteAll();

    // While policy details are forbidden a click only sounds.
    InterfacePermissions::Instance().SetEnabled(InterfacePermissions::kPolicyDetails, false);
    driver.Click(centre.x, centre.y);
    EXPECT_TRUE(GUI_WindowManager::Instance().Windows().empty());
    InterfacePermissions::Instance().RestoreAll();

    // Escape with nothing open asks whether to leave; Escape again does not.
    driver.Key(MainGameScreen::kEscapeScanCode);
    ASSERT_EQ(GUI_WindowManager::Instance().Windows().size(), 1u);
    EXPECT_NE(dynamic_cast<GUI_QuitDialog*>(GUI_WindowManager::Instance().Windows()[0]), nullptr);
    driver.Key(MainGameScreen::kEscapeScanCode);
    EXPECT_TRUE(GUI_WindowManager::Instance().Windows().empty());
    EXPECT_FALSE(driver.App().IsQuitRequested());
}

TEST(MainScreen, RightClickMenuOpensBesideThePointerAndRunsItsCommands) {
    // Beside the right edge it opens to the left; at the top its first entry
    // is at 0; elsewhere it stands centred on the pointer.
    EXPECT_EQ(GUI_RightClickMenu::EntryRect(0, 1014, 400, 1024, 768, 1.0f).left, 1014 - 210);
    EXPECT_EQ(GUI_RightClickMenu::EntryRect(0, 500, 0, 1024, 768, 1.0f).top, 0);
    EXPECT_EQ(GUI_RightClickMenu::EntryRect(0, 500, 400, 1024, 768, 1.0f).left, 508);
    EXPECT_EQ(GUI_RightClickMenu::EntryRect(0, 500, 400, 1024, 768, 1.0f).top, 400 - 70);
    EXPECT_EQ(GUI_RightClickMenu::EntryRect(4, 500, 767, 1024, 768, 1.0f).bottom, 768 - 4);
    const Rect large = GUI_RightClickMenu::EntryRect(0, 960, 540, 1920, 1080, 1.875f);
    EXPECT_EQ(large.right - large.left, int(190 * 1.875f));
    EXPECT_LT(540 - large.top, 130);  // centred on the pointer, not far above it

    GuiDriver driver(1024, 768);
    MainGameScreen* screen = StartSeededGame(driver);
    ASSERT_NE(screen, nullptr);
    GUI_RightClickMenu& menu = screen->RightClickMenu();
    GUI_PolicyIcon* icon = UncoveredPolicyIcon();
    ASSERT_NE(icon, nullptr);
    const MapPoint centre = icon->Centre();
    driver.RightClick(centre.x, centre.y);
    ASSERT_TRUE(menu.IsShown());
    EXPECT_TRUE(GUI_WindowManager::Instance().IsOpen(&menu));
    // While it is open the map ignores the pointer.
    driver.Frames(3);
    EXPECT_FALSE(icon->IsHighlighted());
    // Each label keeps clear of its entry's top and bottom edges: the rows
    // just inside them hold nothing but the face.
    const platform::Image shot = driver.Screenshot("mainscreen_menu_1024x768");
    for (const auto& entry : menu.Buttons()) {
        const Rect r = entry->GetRect();
        int inked = 0;
        // From past the pointer, which rests beside the entries' left edge.
        for (int x = r.left + 24; x < r.right - 2; ++x)
            inked += !PixelNear(shot, x, r.top + 2, 0x0C0C5C, 8) +
                     !PixelNear(shot, x, r.bottom - 2, 0x0C0C5C, 8);
        EXPECT_EQ(inked, 0) << "entry at " << r.top;
    }

    // A waiting dilemma disables its next-turn entry.
    Neuron* dilemma = Network::Create<Neuron>();
    dilemma->SetName("MenuDilemma");
    IssuesList::Instance().AddDilemma(dilemma);
    driver.Frames(1);
    EXPECT_FALSE(menu.NextTurnEntry()->IsEnabled());
    IssuesList::Instance().Remove(dilemma);
    driver.Frames(1);
    EXPECT_TRUE(menu.NextTurnEntry()->IsEnabled());

    // A click beside the entries closes it and reaches what is below.
    driver.Click(2.0f, 766.0f);
    EXPECT_FALSE(menu.IsShown());
    EXPECT_FALSE(GUI_WindowManager::Instance().IsOpen(&menu));
    // Its next-turn entry ends the turn.
    driver.RightClick(500.0f, 400.0f);
    const MapPoint next = CentreOf(*menu.NextTurnEntry());
    driver.Click(next.x, next.y);
    EXPECT_EQ(Gameplaymanager::Instance().TurnNumber(), 2);
}

TEST(MainScreen, PanelsShowTheAccountsTheTermAndThePoliticalCapital) {
    // The finance box's lines from given accounts; a debt of exactly 0
    // shows the reserves, in green.
    auto lines = GUI_FinanceBox::Lines(120.0f, 80.0f, 40.0f, 0.0f, 0xFFFFFFFFu);
    ASSERT_EQ(lines.size(), 3u);
    EXPECT_EQ(lines[0].text, "INC: " + FormatMoney(120.0f));
    EXPECT_EQ(lines[1].text, "EXP -" + FormatMoney(80.0f));
    EXPECT_EQ(lines[1].colour, GUI_FinanceBox::kRed);
    EXPECT_EQ(lines[2].text, "Reserves: " + FormatMoney(40.0f));
    EXPECT_EQ(lines[2].colour, GUI_FinanceBox::kGreen);
    lines = GUI_FinanceBox::Lines(120.0f, 80.0f, 0.0f, 0.5f, 0xFFFFFFFFu);
    EXPECT_EQ(lines[2].text, "Debt : " + FormatMoney(0.5f));
    EXPECT_EQ(lines[2].colour, GUI_FinanceBox::kRed);

    GuiDriver driver(1024, 768);
    MainGameScreen* screen = StartSeededGame(driver);
    ASSERT_NE(screen, nullptr);
    const platform::Image frame = driver.Screenshot("mainscreen_panels_1024x768");
    // The box over the panel holds the game's own accounts.
    const Rect box = GUI_FinanceBox::BoxRect(1024, 768, 1.0f);
    EXPECT_EQ(box.bottom, 698);
    EXPECT_EQ(box.top, 628);
    EXPECT_TRUE(PixelNear(frame, 512, box.top + 3, 0x09090B, 12));
    // The timeline: a red cell for every month since the election, green
    // for the rest.
    GUI_ElectionTimeline& timeline = screen->Timeline();
    const int months = ElectionManager::Interval();
    const int passed = ElectionManager::Instance().MonthsSinceLastElection();
    ASSERT_GT(passed, 0);
    ASSERT_LT(passed, months);
    EXPECT_EQ(timeline.Width(), 512);
    EXPECT_EQ(timeline.Bottom(), 768 - 3);
    const Rect first = timeline.CellRect(0, months), last = timeline.CellRect(months - 1, months);
    EXPECT_EQ(first.left, timeline.Left());
    EXPECT_EQ(last.right, timeline.Right());
    const int middle = (first.top + first.bottom) / 2;
    EXPECT_TRUE(PixelNear(frame, (first.left + first.right) / 2, middle, 0x531010, 4));
    EXPECT_TRUE(PixelNear(frame, (last.left + last.right) / 2, middle, 0x105310, 4));
    const Rect lastPassed = timeline.CellRect(passed - 1, months);
    EXPECT_TRUE(PixelNear(frame, (lastPassed.left + lastPassed.right) / 2, middle, 0x531010, 4));
    const Rect firstLeft = timeline.CellRect(passed, months);
    EXPECT_TRUE(PixelNear(frame, (firstLeft.left + firstLeft.right) / 2, middle, 0x105310, 4));

    // Under restricted powers: a point of capital per icon; none left, no
    // icon and no bar, but resting there still explains the row.
    GameOptions::Instance().Set(1.0f, GameOptions::kRestrictPower);
    PoliticalCapital::Instance().Set(3, 2);
    driver.Frames(1);
    EXPECT_EQ(screen->ActionPoints().Width(), 2 * 28);
    const Rect bar = GUI_ActionPointRow::BarRect(1024, 768, 1.0f);
    PoliticalCapital::Instance().Set(3, 0);
    driver.MoveTo(float(bar.left + 5), float(bar.top + 2));
    driver.Frames(25);
    const platform::Image empty = driver.Screenshot();
    EXPECT_TRUE(PixelNear(empty, bar.left + 1, bar.top + 1, 0x2E3A4B, 2));
    EXPECT_TRUE(screen->ActionPoints().Tooltip().IsShowing());
    GameOptions::Instance().Set(0.0f, GameOptions::kRestrictPower);
}

TEST(MainScreen, ValueAndVoterGroupNamesReadWholeAtEverySize) {
    GuiDriver driver(800, 600);
    MainGameScreen* screen = StartSeededGame(driver);
    ASSERT_NE(screen, nullptr);
    MainScreenMap& map = screen->Map();
    GdiText& gdi = GdiText::Instance();
    // At the smallest size the data's short labels stand in for names that
    // used to be cut to another word ("Prison", "Self").
    EXPECT_EQ(map.Bars()[26]->Value()->Name(), "PrisonOvercrowding");
    EXPECT_EQ(map.Bars()[26]->Label(), "Jails full");
    EXPECT_EQ(map.Strips()[18]->Group()->Name(), "Self employed");
    EXPECT_EQ(map.Strips()[18]->Label(), "Freelance");
    for (const auto& [width, height] :
         {std::pair{800, 600}, std::pair{1024, 768}, std::pair{1280, 720}, std::pair{1920, 1080}}) {
        SCOPED_TRACE(std::to_string(width) + "x" + std::to_string(height));
        const MapMetrics metrics = MapMetrics::ForScreen(width, height);
        map.Synchronise(metrics);
        gdi.SelectFont(kValueFace, MapLabelSize(metrics));
        for (const auto& bar : map.Bars()) {
            const Simulation& value = *bar->Value();
            EXPECT_TRUE(bar->Label() == value.DisplayName() || bar->Label() == value.OwnShortName())
                << value.Name() << " shows '" << bar->Label() << "'";
            EXPECT_LE(gdi.TextWidth(bar->Label()), bar->Width() - 6) << value.Name();
        }
        gdi.SelectFont(kStripFace, MapLabelSize(metrics));
        for (const auto& strip : map.Strips()) {
            const VoterType& group = *strip->Group();
            EXPECT_TRUE(strip->Label() == group.DisplayName() ||
                        strip->Label() == group.OwnShortName())
                << group.Name() << " shows '" << strip->Label() << "'";
            // Room is left either side for the trend arrows.
            EXPECT_LE(gdi.TextWidth(strip->Label()), strip->Width() - int(24.0f * metrics.fit))
                << group.Name();
        }
    }
    map.Synchronise(MapMetrics::ForScreen(800, 600));
}

TEST(MainScreen, TooltipsLitTogetherNeverCoverOneAnother) {
    GuiDriver driver(800, 600);
    // Older data without short labels: the bars print their names cut with
    // an ellipsis, so the lines of a policy light their tooltips too.
    std::istringstream shipped(driver.Folder().Read("data/simulation/simulation.csv"));
    std::string values;
    const std::regex shortLabel(",[^,\"]+,#(?=,|\r|$)");
    for (std::string line; std::getline(shipped, line);)
        values += std::regex_replace(line, shortLabel, ",#", std::regex_constants::format_first_only) +
                  "\n";
    driver.Folder().Write("data/simulation/simulation.csv", values);
    MainGameScreen* screen = StartSeededGame(driver);
    ASSERT_NE(screen, nullptr);
    for (const auto& bar : screen->Map().Bars()) {
        if (bar->Value()->Name() == "PrisonOvercrowding") {
            EXPECT_EQ(bar->Label().back(), '\x85') << bar->Label();  // never "Prison"
        }
        if (bar->Value()->Name() == "GDP") {
            EXPECT_EQ(bar->Label(), "GDP");
        }
    }

    size_t most = 0;
    for (GUI_IconBase* icon : std::vector<GUI_IconBase*>(GUI_IconBase::AllIcons())) {
        if (!dynamic_cast<GUI_PolicyIcon*>(icon) || icon->Connectors().Lines().size() < 3)
            continue;
        driver.MoveTo(icon->Centre().x, icon->Centre().y);
        driver.Frames(22);
        const std::vector<Rect>& shown = GUI_FloatingLayer::Instance().Shown();
        most = std::max(most, shown.size());
        for (size_t i = 0; i < shown.size(); ++i) {
            const Rect& a = shown[i];
            EXPECT_TRUE(a.left >= 0 && a.top >= 0 && a.right <= 801 && a.bottom <= 601);
            for (size_t j = i + 1; j < shown.size(); ++j) {
                const Rect& b = shown[j];
                EXPECT_FALSE(a.left < b.right && b.left < a.right && a.top < b.bottom &&
                             b.top < a.bottom)
                    << icon->Subject()->Name() << ": tooltips " << i << " and " << j << " overlap";
            }
        }
    }
    EXPECT_GE(most, 3u);  // the check saw tooltips lit together
    driver.Screenshot("mainscreen_lit_tooltips_800x600");
}

TEST(MainScreen, EveryFaceItsTextAsksForIsInstalled) {
    // A face that fontconfig quietly replaces moves every label a few pixels:
    // the goldens would fail with no word about fonts.
    GuiDriver driver(1024, 768);
    ASSERT_NE(StartSeededGame(driver), nullptr);
    GUI_PolicyIcon* icon = UncoveredPolicyIcon();
    ASSERT_NE(icon, nullptr);
    driver.MoveTo(icon->Centre().x, icon->Centre().y);
    driver.Frames(30);
    ASSERT_TRUE(icon->Tooltip()->IsShowing());
    std::string substitutions;
    for (const std::string& line : GdiText::Instance().Substitutions()) substitutions += line + "\n";
    EXPECT_EQ(substitutions, "");
}

TEST(MainScreen, MatchesItsGoldenScreenshotsAtBothReferenceSizes) {
    for (const auto& [width, height] : {std::pair{1024, 768}, std::pair{1920, 1080}}) {
        GuiDriver driver(width, height);
        ASSERT_NE(StartSeededGame(driver), nullptr);
        const std::string size = std::to_string(width) + "x" + std::to_string(height);
        const platform::Image frame = driver.Screenshot("mainscreen_" + size);
        EXPECT_TRUE(MatchesGolden(frame, std::string(POLITY_SOURCE_DIR) +
                                             "/tests/gui/golden/mainscreen_" + size + ".png"));
    }
}
