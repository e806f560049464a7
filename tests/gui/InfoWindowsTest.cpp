// The information windows and the windows a turn opens, on a seeded game
// driven through scripted input: what they show, the dialogs that must be
// answered, which windows the end of a turn closes, and golden pictures of
// the main ones.
#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <string>

#include "aids/Achievements.h"
#include "core/GameRandom.h"
#include "core/TextUtilities.h"
#include "engine/Diagnostics.h"
#include "engine/SoundEffects.h"
#include "gui/FinanceChart.h"
#include "gui/GUI_AchievementDialog.h"
#include "gui/GUI_AchievementsWindow.h"
#include "gui/GUI_CheckBox.h"
#include "gui/GUI_CongressWindow.h"
#include "gui/GUI_DilemmaWindow.h"
#include "gui/GUI_ElectionWindow.h"
#include "gui/GUI_EventWindow.h"
#include "gui/GUI_FinanceBox.h"
#include "gui/GUI_FinanceWindow.h"
#include "gui/GUI_ManifestoChoiceWindow.h"
#include "gui/GUI_ManifestoWindow.h"
#include "gui/GUI_ModalHolder.h"
#include "gui/GUI_OppositionWindow.h"
#include "gui/GUI_PollBarWindow.h"
#include "gui/GUI_PollsWindow.h"
#include "gui/GUI_QuitDialog.h"
#include "gui/GUI_ReportWindow.h"
#include "gui/GUI_SituationMessageWindow.h"
#include "gui/GUI_SituationWindow.h"
#include "gui/GUI_StartDialog.h"
#include "gui/GUI_TabContainer.h"
#include "gui/GUI_TextButton.h"
#include "gui/GUI_VoterGroupWindow.h"
#include "gui/GUI_WindowManager.h"
#include "gui/InfluenceRows.h"
#include "gui/InfoWindows.h"
#include "gui/MainGameScreen.h"
#include "gui/NeuronHandle.h"
#include "politics/ElectionManager.h"
#include "politics/IssuesList.h"
#include "politics/Polls.h"
#include "politics/Situation.h"
#include "politics/SituationManager.h"
#include "politics/USCongress.h"
#include "politics/VoterManager.h"
#include "politics/VoterType.h"
#include "simulation/GameOptions.h"
#include "simulation/Mission.h"
#include "simulation/Network.h"
#include "simulation/NeuralEffect.h"
#include "simulation/Simulation.h"
#include "support/FreshNetwork.h"
#include "support/GuiDriver.h"
#include "support/ImageCompare.h"
#include "support/TempDirectory.h"
#include "world/Calendar.h"
#include "world/Cynicism.h"
#include "world/Dilemma.h"
#include "world/DilemmaManager.h"
#include "world/Event.h"
#include "world/EventManager.h"
#include "world/Finances.h"
#include "world/Gameplaymanager.h"
#include "world/Grudge.h"
#include "world/Manifesto.h"
#include "world/MoneyFormat.h"
#include "world/OppositionManager.h"
#include "world/SaveGameWriter.h"
#include "world/StringTable.h"

namespace {

constexpr std::uint32_t kSeed = 20240601;

// A seeded first country without autosaves; then frames enough for the
// opening fade.
void StartSeededGame(GuiDriver& driver) {
    GameOptions::Instance().Set(0.0f, GameOptions::kAutosave);
    // Dilemmas arising in later turns would hold them back; the dilemma
    // test asks for them.
    GameOptions::Instance().Set(1.0f, GameOptions::kIgnoreDilemmas);
    driver.StartGame(kSeed);
    driver.MoveTo(2.0f, float(ScreenHeight()) - 2.0f);
    driver.Frames(10);
}


template <typename W>
size_t Count() {
    size_t count = 0;
    for (GUI_Window* window : GUI_WindowManager::Instance().Windows())
        count += dynamic_cast<W*>(window) != nullptr && window->IsVisible();
    return count;
}

// After a turn the loading screen waits for a click; this is that click.
void BackToMainScreen(GuiDriver& driver) {
    driver.App().SetScreen(kScreenMainGame);
    driver.Frames(1);
}

// The window's own pixels, so the map behind it cannot move its golden.
platform::Image Crop(const platform::Image& frame, const Rect& rect) {
    platform::Image out(rect.right - rect.left, rect.bottom - rect.top);
    for (int y = 0; y < out.height; ++y)
        for (int x = 0; x < out.width; ++x) out.At(x, y) = frame.At(rect.left + x, rect.top + y);
    return out;
}

std::string Golden(const std::string& name) {
    return std::string(POLITY_SOURCE_DIR) + "/tests/gui/golden/" + name + ".png";
}

Dilemma* FirstDilemmaForThisCountry() {
    for (Dilemma* dilemma : DilemmaManager::Instance().Dilemmas())
        if (dilemma->PassesCountryFilter() && !dilemma->IsTriggered()) return dilemma;
    return nullptr;
}

}  // namespace

TEST(InfoWindows, FiguresFollowTheirRules) {
    TempDirectory folder;
    CopyShippedData();
    StringTable::Instance().Unload();
    EXPECT_EQ(GUI_VoterGroupWindow::MembershipText(250, 2000), "12.50% (250)");
    EXPECT_EQ(GUI_VoterGroupWindow::MembershipText(1234, 0), "0.00% (1,234)");
    EXPECT_STREQ(GUI_VoterGroupWindow::GrowthKey(1), "GROWTH_STEADY");
    EXPECT_STREQ(GUI_VoterGroupWindow::GrowthKey(2), "GROWTH_GROWING");
    EXPECT_STREQ(GUI_VoterGroupWindow::GrowthKey(0), "GROWTH_SHRINKING");
    bool styled = true;
    EXPECT_EQ(GUI_VoterGroupWindow::OpinionColour(0.2f, &styled), 0xFFFF0000u);
    EXPECT_EQ(GUI_VoterGroupWindow::OpinionColour(0.7f, &styled), 0xFF00FF00u);
    GUI_VoterGroupWindow::OpinionColour(0.5f, &styled);
    EXPECT_TRUE(styled);

    EXPECT_EQ(GUI_PollBarWindow::ValueLine("Peak", 0.521f), "Peak: 52.10%");
    EXPECT_EQ(GUI_ElectionWindow::ResultLine("Vote", 0.5f), "Vote:50.00%");
    EXPECT_TRUE(GUI_ElectionWindow::IsWon(0.5f));
    EXPECT_FALSE(GUI_ElectionWindow::IsWon(0.4999f));
    EXPECT_EQ(GUI_CongressWindow::HouseLine("House", 240), "House ( 240/435)");
    EXPECT_EQ(GUI_CongressWindow::SenateLine("Senate", 51), "Senate ( 51/100)");
    EXPECT_EQ(GUI_PollsWindow::CynicismLine(0.0f),
              GetString("CYNICISM") + ": " + GetGradedString(0.0f, "cynicism") + " (0.00)");

    // Relative to the promise's starting value; a start of 0 never divides.
    EXPECT_EQ(GUI_ManifestoWindow::ProgressText(0.5f, 0.55f),
              GetString("MANIFESTO_RISEN_BY") + " 10.00%");
    EXPECT_EQ(GUI_ManifestoWindow::ProgressText(0.4f, 0.3f),
              GetString("MANIFESTO_FALLEN_BY") + " 25.00%");
    EXPECT_EQ(GUI_ManifestoWindow::ProgressText(0.4f, 0.4f), GetString("MANIFESTO_UNCHANGED"));
    EXPECT_EQ(GUI_ManifestoWindow::ProgressText(0.0f, 0.1f).find("inf"), std::string::npos);

    // The pie: a policy of 1 % or less has no slice; interest names the debt
    // even past a thousand billion; the rest is "other".
    std::vector<PieSlice> slices =
        ExpenditureSlices({{"Schools", 50.0f}, {"Tiny", 1.0f}, {"Roads", 20.0f}},
                          {{"Strike", 5.0f}}, 10.0f, 2.0e6f, 100.0f);
    ASSERT_EQ(slices.size(), 5u);
    EXPECT_EQ(slices[0].label, "Schools (" + FormatMoney(50.0f) + ")");
    EXPECT_EQ(slices[1].label, "Roads (" + FormatMoney(20.0f) + ")");
    EXPECT_EQ(slices[2].label, "Strike (" + FormatMoney(5.0f) + ")");
    EXPECT_NE(slices[3].note.find(FormatMoney(2.0e6f)), std::string::npos) << slices[3].note;
    EXPECT_FLOAT_EQ(slices[4].amount, 15.0f);
    // More than fourteen qualifying policies: the fourteen largest, in order.
    std::vector<CostItem> many;
    for (int i = 0; i < 16; ++i) many.push_back({"P" + std::to_string(i), float(i + 1)});
    float total = 0.0f;
    for (const CostItem& item : many) total += item.amount;
    slices = ExpenditureSlices(many, {}, 0.0f, 0.0f, total);
    ASSERT_EQ(slices.size(), 15u);
    EXPECT_EQ(slices[0].label.substr(0, 3), "P2 ");
    EXPECT_FLOAT_EQ(slices[14].amount, 3.0f);  // P0 and P1 went to "other"
}

using InfluenceRowsTest = FreshNetworkTest;

TEST_F(InfluenceRowsTest, VoterGroupsListTheFirstSixShownInputsInOrder) {
    Neuron* group = Network::Create<Neuron>();
    group->SetName("Group");
    auto source = [&](const std::string& name, float input) {
        Neuron* neuron = Network::Create<Neuron>();
        neuron->SetName(name);
        NeuralEffect* effect = Network::CreateEffect(neuron, group, "0+(1.0*x)", 1.0f, input);
        effect->Output();
        return neuron;
    };
    source("_helper", 0.9f);
    NeuralEffect* debt =
        Network::CreateEffect(Network::DebtNeuron(), group, "0+(1.0*x)", 1.0f, 0.2f);
    debt->Output();
    for (int i = 0; i < 8; ++i) source("S" + std::to_string(i), 0.1f * float(i));
    Network::FindByName("S1")->SetActive(false);

    const std::vector<InfluenceRow> rows = VoterGroupInfluences(*group);
    std::vector<std::string> names;
    for (const InfluenceRow& row : rows) names.push_back(row.other->Name());
    // The debt is the one "_" name shown; an inactive source is left out.
    EXPECT_EQ(names, (std::vector<std::string>{"_debt_", "S0", "S2", "S3", "S4", "S5"}));
    EXPECT_EQ(rows[0].name, Network::DebtNeuron()->DisplayName());
    EXPECT_FLOAT_EQ(rows[2].output, 0.2f);

    // The details windows sort by size instead, and drop what delivers nothing.
    const std::vector<InfluenceRow> strongest = StrongestInputs(*group, 3);
    ASSERT_EQ(strongest.size(), 3u);
    EXPECT_EQ(strongest[0].other->Name(), "S7");
    EXPECT_EQ(strongest[2].other->Name(), "S5");
    EXPECT_TRUE(StrongestOutputs(*group, 3).empty());

    // A grudge reads as what caused it.
    Neuron* policy = Network::Create<Neuron>();
    policy->SetName("Tax");
    policy->SetDisplayName("Income Tax");
    EXPECT_EQ(ReadableName(*CreateGrudge("Tax", -0.1f, 0.9f)), "Income Tax");

    // A handle lets go once its neuron has gone, even for a namesake.
    NeuronHandle handle(group);
    EXPECT_EQ(handle.Get(), group);
    Network::Destroy(group);
    Neuron* namesake = Network::Create<Neuron>();
    namesake->SetName("Group");
    EXPECT_TRUE(handle.IsGone());
}

TEST(InfoWindows, VoterGroupWindowShowsTheGroupAndItsApproval) {
    GuiDriver driver(1024, 768);
    StartSeededGame(driver);
    ASSERT_TRUE(ConfirmStartDialog());
    const VoterManager& voters = VoterManager::Instance();
    const VoterType* group = nullptr;
    for (const VoterType* type : voters.VoterTypes())
        if (type->MemberCount() > 0 && type->Inputs().size() > 8) group = type;
    ASSERT_NE(group, nullptr);
    OpenVoterGroupDetails(*group);
    auto* window = TopVisible<GUI_VoterGroupWindow>();
    ASSERT_NE(window, nullptr);
    EXPECT_EQ(window->Membership(),
              GUI_VoterGroupWindow::MembershipText(group->MemberCount(), voters.PopulationTotal()));
    const float mood = std::clamp(group->Value(), 0.0f, 1.0f);
    EXPECT_EQ(window->OpinionText(), GetGradedString(mood, "opinion_of_government"));
    EXPECT_EQ(window->AngerText().rfind("Anger: ", 0), 0u);
    EXPECT_GE(window->Support(), 0.0f);
    EXPECT_LE(window->Support(), 1.0f);
    // At most six influences, none of the network's helpers but the debt.
    ASSERT_FALSE(window->Influences().empty());
    EXPECT_LE(window->Influences().size(), 6u);
    for (const InfluenceRow& row : window->Influences()) {
        EXPECT_TRUE(row.other->IsActive());
        EXPECT_TRUE(row.other->Name()[0] != '_' || row.other == Network::DebtNeuron()) << row.name;
    }
    // Opening another group replaces the window; its cross closes it.
    OpenVoterGroupDetails(*voters.VoterTypes().front());
    driver.Frames(1);
    auto* second = TopVisible<GUI_VoterGroupWindow>();
    ASSERT_NE(second, nullptr);
    EXPECT_FALSE(GUI_WindowManager::Instance().IsOpen(window));
    ClickCentre(driver, *second->Buttons().front());
    EXPECT_EQ(TopVisible<GUI_VoterGroupWindow>(), nullptr);
    EXPECT_EQ(FailedAssertionCount(), 0);
}

TEST(InfoWindows, ADilemmaHoldsTheTurnUntilItsChoiceChangesTheNetwork) {
    GuiDriver driver(1024, 768);
    StartSeededGame(driver);
    ConfirmStartDialog();
    GameOptions::Instance().Set(0.0f, GameOptions::kIgnoreDilemmas);
    Dilemma* dilemma = FirstDilemmaForThisCountry();
    ASSERT_NE(dilemma, nullptr);
    dilemma->Trigger();
    Gameplaymanager& game = Gameplaymanager::Instance();
    const int turn = game.TurnNumber();
    // Waiting on the issues list, it already holds the turn back.
    game.NewTurn();
    EXPECT_EQ(game.TurnNumber(), turn);
    ASSERT_EQ(IssuesList::Instance().Count(), 1u);
    ASSERT_TRUE(OpenIssue(0));
    driver.Frames(1);
    auto* window = TopVisible<GUI_DilemmaWindow>();
    ASSERT_NE(window, nullptr);
    EXPECT_EQ(window->Title(), GetString("POLICY_DILEMMA") + " : " + dilemma->DisplayName());
    EXPECT_EQ(GUI_ModalHolder::Instance().ModalWindow(), window);
    EXPECT_EQ(IssuesList::Instance().Count(), 0u);
    // The option labels keep clear of their buttons' top and bottom edges.
    driver.MoveTo(2.0f, 2.0f);
    const platform::Image shot = driver.Screenshot();
    for (int option = 0; option < 2; ++option) {
        const Rect r = window->OptionButton(option)->GetRect();
        int inked = 0;
        for (int x = r.left + 2; x < r.right - 2; ++x)
            inked += !PixelNear(shot, x, r.top + 2, 0x436972, 8) +
                     !PixelNear(shot, x, r.bottom - 3, 0x436972, 8);
        EXPECT_EQ(inked, 0) << "option " << option;
    }
    // Escape does not close it (it asks whether to quit, and again puts the
    // question away), and the turn still waits.
    driver.Key(MainGameScreen::kEscapeScanCode);
    EXPECT_NE(TopVisible<GUI_QuitDialog>(), nullptr);
    driver.Key(MainGameScreen::kEscapeScanCode);
    EXPECT_EQ(TopVisible<GUI_QuitDialog>(), nullptr);
    EXPECT_EQ(TopVisible<GUI_DilemmaWindow>(), window);
    game.NewTurn();
    EXPECT_EQ(game.TurnNumber(), turn);

    const std::string target = dilemma->Options()[0].effects.front().text.substr(
        0, dilemma->Options()[0].effects.front().text.find(','));
    Neuron* affected = Network::FindByName(target);
    ASSERT_NE(affected, nullptr);
    EXPECT_EQ(affected->FindInputFromGrudge(dilemma->Name()), nullptr);
    ClickCentre(driver, *window->OptionButton(0));
    EXPECT_EQ(dilemma->ChosenOption(), 0);
    EXPECT_NE(affected->FindInputFromGrudge(dilemma->Name()), nullptr);
    ASSERT_FALSE(DilemmaManager::Instance().Choices().empty());
    EXPECT_EQ(DilemmaManager::Instance().Choices().back().dilemma, dilemma->Name());
    EXPECT_EQ(TopVisible<GUI_DilemmaWindow>(), nullptr);
    EXPECT_FALSE(GUI_ModalHolder::Instance().HasModalWindow());
    game.NewTurn();
    EXPECT_EQ(game.TurnNumber(), turn + 1);
    EXPECT_EQ(FailedAssertionCount(), 0);
}

TEST(InfoWindows, TheEndOfATurnClosesItsWindowsAndOpensTheReport) {
    GuiDriver driver(1024, 768);
    StartSeededGame(driver);
    // The first turn shows the start dialog, not a report; Return closes it.
    ASSERT_NE(TopVisible<GUI_StartDialog>(), nullptr);
    EXPECT_EQ(TopVisible<GUI_ReportWindow>(), nullptr);
    EXPECT_TRUE(ConfirmStartDialog());
    EXPECT_FALSE(ConfirmStartDialog());

    OpenPolls();
    OpenFinances();
    OpenManifestoProgress();
    OpenVoterGroupDetails(*VoterManager::Instance().VoterTypes().front());
    OpenValueDetails(*SimulationManager::Instance().Values().front());
    Event* event = EventManager::Instance().Events().front();
    OpenEvent(*event);
    ASSERT_NE(TopVisible<GUI_EventWindow>(), nullptr);
    // A second event waits on the list while one is open.
    IssuesList::Instance().AddEvent(EventManager::Instance().Events().back());
    EXPECT_FALSE(OpenIssue(0));
    EXPECT_EQ(IssuesList::Instance().Count(), 1u);
    driver.Frames(1);

    Gameplaymanager& game = Gameplaymanager::Instance();
    game.NewTurn();
    driver.Frames(1);
    EXPECT_EQ(game.TurnNumber(), 2);
    EXPECT_EQ(TopVisible<GUI_PollsWindow>(), nullptr);
    EXPECT_EQ(TopVisible<GUI_FinanceWindow>(), nullptr);
    EXPECT_EQ(TopVisible<GUI_EventWindow>(), nullptr);
    EXPECT_EQ(TopVisible<GUI_VoterGroupWindow>(), nullptr);
    auto* report = TopVisible<GUI_ReportWindow>();
    ASSERT_NE(report, nullptr);
    EXPECT_FALSE(report->Paragraph().empty());
    EXPECT_LE(report->News().size(), GUI_ReportWindow::kNewsItems);
    EXPECT_FALSE(report->Intelligence().empty());
    // The next turn's report replaces this one.
    game.NewTurn();
    BackToMainScreen(driver);
    EXPECT_EQ(Count<GUI_ReportWindow>(), 1u);

    // The manifesto choice must be answered; publishing makes the pledges.
    OpenManifestoChoice();
    auto* choice = TopVisible<GUI_ManifestoChoiceWindow>();
    ASSERT_NE(choice, nullptr);
    game.NewTurn();
    EXPECT_EQ(game.TurnNumber(), 3);
    BackToMainScreen(driver);
    // Escape leaves the report beneath the choice alone.
    driver.Key(MainGameScreen::kEscapeScanCode);
    driver.Key(MainGameScreen::kEscapeScanCode);
    EXPECT_EQ(TopVisible<GUI_ManifestoChoiceWindow>(), choice);
    EXPECT_NE(TopVisible<GUI_ReportWindow>(), nullptr);
    GUI_CheckBox* box = choice->Boxes().front();
    driver.Click(float(box->BoxRect().left + 4), float(box->BoxRect().top + 4));
    EXPECT_TRUE(box->IsChecked());
    ClickCentre(driver, *choice->PublishButton());
    EXPECT_EQ(TopVisible<GUI_ManifestoChoiceWindow>(), nullptr);
    EXPECT_EQ(Manifesto::Instance().NextPledges().size(), 1u);
    EXPECT_FALSE(IsTurnBlocked());
    EXPECT_EQ(FailedAssertionCount(), 0);
}

TEST(InfoWindows, AnElectionShowsItsCountThenBeginsANewTerm) {
    GuiDriver driver(1024, 768);
    StartSeededGame(driver);
    ConfirmStartDialog();
    // The election falls at the end of the next turn.
    Calendar& calendar = Calendar::Instance();
    const int month = (calendar.GetMonth() + 3) % 12;
    const int year = calendar.GetYear() + (calendar.GetMonth() + 3) / 12;
    ElectionManager& elections = ElectionManager::Instance();
    elections.Restore(month, year, 0);
    Gameplaymanager::Instance().NewTurn();
    BackToMainScreen(driver);
    auto* window = TopVisible<GUI_ElectionWindow>();
    ASSERT_NE(window, nullptr);
    EXPECT_FLOAT_EQ(window->Share(), elections.VoteShare());
    EXPECT_EQ(SoundEffects::Instance().LastRequested(), ElectionResultSound(elections.VoteShare()));
    EXPECT_EQ(TopVisible<GUI_ReportWindow>(), nullptr);  // the results stand in for it
    EXPECT_TRUE(IsTurnBlocked());
    // The count runs, then the one button for the verdict appears.
    EXPECT_TRUE(window->IsCounting());
    EXPECT_EQ(window->ResultButton(), nullptr);
    driver.Frames(GUI_ElectionWindow::kCountFrames + 1);
    ASSERT_FALSE(window->IsCounting());
    ASSERT_NE(window->ResultButton(), nullptr);
    const std::string expected =
        GetString(GUI_ElectionWindow::IsWon(window->Share()) ? "CONTINUEPRESIDENCY" : "QUITGAME");
    EXPECT_EQ(static_cast<GUI_TextButton*>(window->ResultButton())->Label(), expected);
    const platform::Image frame = driver.Screenshot("election_1024x768");
    EXPECT_TRUE(MatchesGolden(Crop(frame, window->GetRect()), Golden("election_1024x768")));

    // Exactly half keeps the government in office, to applause; closing the
    // window schedules the next election a whole term away.
    OpenElectionResults(0.5f, false);
    driver.Frames(1);
    window = TopVisible<GUI_ElectionWindow>();
    ASSERT_NE(window, nullptr);
    EXPECT_EQ(SoundEffects::Instance().LastRequested(), "data/sounds/crowd_clap.ogg");
    driver.Click(float(window->Left() + 40), float(window->Top() + 100));  // skips the count
    ASSERT_NE(window->ResultButton(), nullptr);
    EXPECT_EQ(static_cast<GUI_TextButton*>(window->ResultButton())->Label(),
              GetString("CONTINUEPRESIDENCY"));
    ClickCentre(driver, *window->ResultButton());
    EXPECT_EQ(elections.MonthsToElection(), ElectionManager::Interval());
    EXPECT_FALSE(IsTurnBlocked());

    // A lost election leaves for the main menu with no game to resume.
    OpenElectionResults(0.3f, true);
    window = TopVisible<GUI_ElectionWindow>();
    window->FinishCounting();
    driver.Frames(1);
    ClickCentre(driver, *window->ResultButton());
    driver.Frames(1);
    EXPECT_EQ(driver.App().CurrentScreenId(), kScreenMainMenu);
    EXPECT_FALSE(driver.App().IsGameStarted());
    EXPECT_TRUE(GUI_WindowManager::Instance().Windows().empty());
}

TEST(InfoWindows, DialogsThatMustBeAnsweredHandOverAndEndTheGame) {
    GuiDriver driver(1024, 768);
    StartSeededGame(driver);
    ConfirmStartDialog();
    GUI_WindowManager& windows = GUI_WindowManager::Instance();
    // A warning is read and closes with the turn; while it is up the report
    // stays away.
    OppositionMessage warning;
    warning.title = GetString("WARNING_PATRIOT_TITLE");
    warning.text = GetString("WARNING_PATRIOT_TEXT");
    OpenOppositionMessage(warning);
    EXPECT_FALSE(IsTurnBlocked());
    OpenQuarterlyReport();
    EXPECT_EQ(TopVisible<GUI_ReportWindow>(), nullptr);

    // A successful attack and an election in the same turn: closing one
    // leaves the other holding every click.
    OppositionMessage attack = warning;
    attack.kind = OppositionMessage::Kind::SuccessfulAttack;
    attack.endsGame = true;
    attack.sound = "data/sounds/ak47.ogg";
    OpenOppositionMessage(attack);
    auto* overthrow = TopVisible<GUI_OppositionWindow>();
    ASSERT_NE(overthrow, nullptr);
    EXPECT_EQ(SoundEffects::Instance().LastRequested(), "data/sounds/ak47.ogg");
    OpenElectionResults(0.6f, false);
    auto* election = TopVisible<GUI_ElectionWindow>();
    EXPECT_EQ(GUI_ModalHolder::Instance().ModalWindow(), election);
    election->FinishCounting();
    driver.Frames(1);
    ClickCentre(driver, *election->ResultButton());
    EXPECT_EQ(GUI_ModalHolder::Instance().ModalWindow(), overthrow);
    EXPECT_TRUE(IsTurnBlocked());
    // No turn passes it; leaving office ends the game.
    const int turn = Gameplaymanager::Instance().TurnNumber();
    Gameplaymanager::Instance().NewTurn();
    EXPECT_EQ(Gameplaymanager::Instance().TurnNumber(), turn);
    EXPECT_EQ(TopVisible<GUI_OppositionWindow>(), overthrow);
    ClickCentre(driver, *overthrow->ActionButton());
    driver.Frames(1);
    EXPECT_EQ(driver.App().CurrentScreenId(), kScreenMainMenu);
    EXPECT_FALSE(driver.App().IsGameStarted());
    EXPECT_FALSE(GUI_ModalHolder::Instance().HasModalWindow());
    EXPECT_TRUE(windows.Windows().empty());

    // A new game while a results window is still up closes it before any
    // neuron it refers to goes.
    OpenElectionResults(0.6f, false);
    OpenDilemma(*FirstDilemmaForThisCountry());
    StartSeededGame(driver);
    EXPECT_EQ(TopVisible<GUI_ElectionWindow>(), nullptr);
    EXPECT_FALSE(GUI_ModalHolder::Instance().HasModalWindow());
    EXPECT_EQ(FailedAssertionCount(), 0);
}

TEST(InfoWindows, TurnMessagesLeadOnAndReplaceEachOther) {
    GuiDriver driver(1024, 768);
    StartSeededGame(driver);
    ConfirmStartDialog();
    // A situation's news leads on to its details.
    Situation* situation = SituationManager::Instance().Situations().front();
    IssuesList::Instance().AddSituationEnded(situation);
    ASSERT_TRUE(OpenIssue(0));
    auto* message = TopVisible<GUI_SituationMessageWindow>();
    ASSERT_NE(message, nullptr);
    EXPECT_FALSE(message->IsStart());
    EXPECT_EQ(message->Message(), situation->EndText());
    ClickCentre(driver, *message->DetailsButton());
    EXPECT_EQ(TopVisible<GUI_SituationMessageWindow>(), nullptr);
    auto* details = TopVisible<GUI_SituationWindow>();
    ASSERT_NE(details, nullptr);
    EXPECT_EQ(details->Subject(), situation);

    // The event window plays the event's sound as it opens.
    std::string played;
    Event::SetSoundPlayer([&played](const std::string& path) { played = path; });
    Event* withSound = nullptr;
    for (Event* event : EventManager::Instance().Events())
        if (!event->Sound().empty()) withSound = event;
    if (withSound) {
        OpenEvent(*withSound);
        EXPECT_EQ(played, "data/sounds/" + withSound->Sound());
    }
    Event::SetSoundPlayer(nullptr);

    // One congratulation at a time, the newer on top.
    OpenAchievementDialog(0);
    OpenAchievementDialog(3);
    driver.Frames(1);
    EXPECT_EQ(Count<GUI_AchievementDialog>(), 1u);
    EXPECT_EQ(TopVisible<GUI_AchievementDialog>()->Index(), 3);

    // The finance pages switch with their tabs; the summary names the debt.
    OpenFinances();
    auto* finance = TopVisible<GUI_FinanceWindow>();
    ASSERT_NE(finance, nullptr);
    EXPECT_EQ(finance->ShownPage(), GUI_FinanceWindow::kExpenditure);
    ClickCentre(driver, *finance->Pages().Buttons()[GUI_FinanceWindow::kHistory]);
    EXPECT_EQ(finance->ShownPage(), GUI_FinanceWindow::kHistory);
    ASSERT_GT(Finances::Instance().Debt(), 0.0f);
    EXPECT_EQ(finance->Summary()[0],
              GetString("NATIONAL_DEBT") + ": " + FormatMoney(Finances::Instance().Debt()));
    float sliced = 0.0f;
    for (const PieSlice& slice : finance->Slices()) sliced += slice.amount;
    EXPECT_NEAR(sliced, Finances::Instance().Expenses(), 0.01f * Finances::Instance().Expenses());
}

TEST(InfoWindows, TheBudgetReportReadsTheBookedQuarterAndChangesNothing) {
    GuiDriver driver(1024, 768);
    StartSeededGame(driver);
    ConfirmStartDialog();
    // A turn later the debt has grown, so a fresh count would differ from
    // the one the turn booked.
    Gameplaymanager::Instance().NewTurn();
    BackToMainScreen(driver);
    GUI_WindowManager::Instance().DeleteAll();
    driver.Frames(2);
    const Finances& finances = Finances::Instance();
    const float expenses = finances.Expenses(), income = finances.Income();
    const std::string before = SaveGameWriter::Build();

    // F3, the money button: the window opens, draws a while and closes.
    driver.Key(MainGameScreen::kF1ScanCode + 2);
    auto* finance = TopVisible<GUI_FinanceWindow>();
    ASSERT_NE(finance, nullptr);
    driver.Frames(5);
    ClickCentre(driver, *finance->Pages().Buttons()[GUI_FinanceWindow::kIncome]);
    driver.Frames(2);
    // Its figures are the box's, named for the quarter they cover.
    ASSERT_EQ(finance->Summary().size(), 3u);
    EXPECT_EQ(finance->Summary()[1], GetString("BUDGET_EXPENSES") + ": " + FormatMoney(expenses));
    EXPECT_EQ(finance->Summary()[2], GetString("BUDGET_INCOME") + ": " + FormatMoney(income));
    for (const std::string& line : finance->Summary())
        EXPECT_EQ(line.find("Monthly"), std::string::npos) << line;
    GUI_WindowManager::Instance().DeleteAll();
    driver.Frames(1);
    EXPECT_EQ(finances.Expenses(), expenses);
    EXPECT_EQ(finances.Income(), income);
    EXPECT_EQ(SaveGameWriter::Build(), before);

    // A thousand million and more reads in billions, in the window as in the box.
    Finances::Instance().Restore(0.0f, 1000.0f, 999.999f, 0.0f, 2500.0f);
    driver.Key(MainGameScreen::kF1ScanCode + 2);
    finance = TopVisible<GUI_FinanceWindow>();
    ASSERT_NE(finance, nullptr);
    const std::string currency = Mission::Instance().Currency();
    EXPECT_EQ(finance->Summary()[0], GetString("NATIONAL_DEBT") + ": " + currency + " 2.50 Billion");
    EXPECT_EQ(finance->Summary()[1], GetString("BUDGET_EXPENSES") + ": " + currency + " 1.00 Billion");
    EXPECT_EQ(finance->Summary()[2], GetString("BUDGET_INCOME") + ": " + currency + " 1.00 Billion");
    EXPECT_EQ(GUI_FinanceBox::Lines(1000.0f, 1000.0f, 0.0f, 1.0f, 0)[0].text,
              "INC: " + currency + " 1.00 Billion");
}

TEST(InfoWindows, TheQuarterlyReportReadsWellAndDrawsNothingFromTheGame) {
    GuiDriver driver(1024, 768);
    StartSeededGame(driver);
    ConfirmStartDialog();
    Gameplaymanager::Instance().NewTurn();
    BackToMainScreen(driver);
    // A group restless enough to be noticed, not yet a threat.
    OppositionManager& opposition = OppositionManager::Instance();
    for (VoterType* type : VoterManager::Instance().VoterTypes())
        if (OppositionGroup* group = opposition.FindGroup(*type)) group->Restore(0.0f, false, 0);
    VoterType* restless = VoterManager::Instance().VoterTypes().front();
    for (float anger : {0.002f, 0.03f, 0.06f, 0.1f}) {
        opposition.FindGroup(*restless)->Restore(anger, false, 0);
        const std::uint32_t state = GameRandom::State();
        OpenQuarterlyReport();
        auto* report = TopVisible<GUI_ReportWindow>();
        ASSERT_NE(report, nullptr);
        driver.Frames(2);
        // Opening and drawing the report leaves the game's dice alone, so a
        // game played on screen replays as the same game without one.
        EXPECT_EQ(GameRandom::State(), state);
        const std::string& intelligence = report->Intelligence();
        EXPECT_EQ(intelligence.rfind("Intelligence summary: the security services note ", 0), 0u)
            << intelligence;
        EXPECT_EQ(intelligence.find("some a"), std::string::npos) << intelligence;
        EXPECT_NE(intelligence.find(restless->DisplayName()), std::string::npos) << intelligence;
        // The same quarter reads the same each time it is opened.
        const std::string paragraph = report->Paragraph();
        OpenQuarterlyReport();
        EXPECT_EQ(TopVisible<GUI_ReportWindow>()->Paragraph(), paragraph);
        GUI_WindowManager::Instance().DeleteAll();
    }
}

TEST(InfoWindows, TheRecordsKeepTheBestApprovalOfRealCountriesOnly) {
    GuiDriver driver(1024, 768);
    GameOptions::Instance().Set(0.0f, GameOptions::kAutosave);
    Achievements& records = Achievements::Instance();
    ASSERT_EQ(records.HighestPopularity(), 0.0f);
    // The tour's practice country: played, polled, and forgotten.
    driver.StartGame(kSeed, "tutorial");
    ConfirmStartDialog();
    Gameplaymanager::Instance().NewTurn();
    EXPECT_EQ(records.HighestPopularity(), 0.0f);
    EXPECT_EQ(records.HeldCount(), 0);
    GUI_WindowManager::Instance().DeleteAll();

    StartSeededGame(driver);
    ConfirmStartDialog();
    float best = Polls::Instance().Approval();
    for (int turn = 0; turn < 2; ++turn) {
        Gameplaymanager::Instance().NewTurn();
        BackToMainScreen(driver);
        best = std::max(best, Polls::Instance().Approval());
    }
    GUI_WindowManager::Instance().DeleteAll();
    // The record is approval, which the seeded game keeps apart from the
    // voting intention measured beside it.
    ASSERT_NE(Polls::Instance().PeakVote(), Polls::Instance().PeakApproval());
    EXPECT_FLOAT_EQ(records.HighestPopularity(), best);
    OpenAchievements();
    auto* window = TopVisible<GUI_AchievementsWindow>();
    ASSERT_NE(window, nullptr);
    driver.Frames(1);
    EXPECT_EQ(window->Records()[2], FormatText("%s: %.2f%%", GetString("ACHIEVEMENT_PEAKPOLLING").c_str(),
                                               double(best * 100.0f)));
    EXPECT_EQ(GetString("ACHIEVEMENT_PEAKPOLLING"), "Highest approval rating");
}

TEST(InfoWindows, MidtermsShowTheHousesInsteadOfTheReport) {
    GuiDriver driver(1024, 768);
    StartSeededGame(driver);
    ConfirmStartDialog();
    USCongress::Instance().SetUp("USA");
    // After the next turn the election is two years off, half a term.
    Calendar& calendar = Calendar::Instance();
    const int months = calendar.GetMonth() + 3 + ElectionManager::Interval() / 2;
    ElectionManager::Instance().Restore(months % 12, calendar.GetYear() + months / 12, 0);
    Gameplaymanager::Instance().NewTurn();
    BackToMainScreen(driver);
    auto* midterm = TopVisible<GUI_CongressWindow>();
    ASSERT_NE(midterm, nullptr);
    EXPECT_EQ(midterm->GetMode(), GUI_CongressWindow::Mode::MidtermResults);
    EXPECT_EQ(TopVisible<GUI_ReportWindow>(), nullptr);
    EXPECT_TRUE(IsTurnBlocked());
    ClickCentre(driver, *midterm->ContinueButton());
    EXPECT_FALSE(IsTurnBlocked());
    USCongress::Instance().SetUp("Valoria");
}

TEST(InfoWindows, PollAndManifestoWindowsReadTheGame) {
    GuiDriver driver(1024, 768);
    StartSeededGame(driver);
    ConfirmStartDialog();
    const Polls& polls = Polls::Instance();
    OpenApprovalDetails();
    auto* bar = TopVisible<GUI_PollBarWindow>();
    ASSERT_NE(bar, nullptr);
    EXPECT_EQ(bar->Title(), GetString("POPBAR_DETAILS"));
    EXPECT_EQ(bar->CurrentLine(),
              GUI_PollBarWindow::ValueLine(GetString("CURRENT_VALUE"), polls.Approval()));
    EXPECT_EQ(bar->PeakLine(),
              GUI_PollBarWindow::ValueLine(GetString("PEAK_VALUE"), polls.PeakApproval()));
    // The voting-intention window labels its value as the approval one does.
    OpenVotingIntentionDetails();
    driver.Frames(1);
    bar = TopVisible<GUI_PollBarWindow>();
    EXPECT_EQ(Count<GUI_PollBarWindow>(), 1u);
    EXPECT_EQ(bar->CurrentLine(),
              GUI_PollBarWindow::ValueLine(GetString("CURRENT_VALUE"), polls.PotentialVote()));
    OpenPolls();
    EXPECT_EQ(TopVisible<GUI_PollsWindow>()->Cynicism(),
              GUI_PollsWindow::CynicismLine(Cynicism::Instance().GetCynicism()));

    // A pledge that has moved its value the promised way is kept.
    Manifesto& manifesto = Manifesto::Instance();
    OpenManifestoProgress();
    EXPECT_TRUE(TopVisible<GUI_ManifestoWindow>()->Rows().empty());
    const float gdp = Network::FindByName("GDP")->Value();
    manifesto.RestorePledge(Manifesto::Term::Live, "GDP", 0.1f, gdp / 1.2f);
    manifesto.RestorePledge(Manifesto::Term::Live, "GDP", 0.1f, gdp);
    OpenManifestoProgress();
    const auto& rows = TopVisible<GUI_ManifestoWindow>()->Rows();
    ASSERT_EQ(rows.size(), 2u);
    EXPECT_TRUE(rows[0].kept);
    EXPECT_EQ(rows[0].progress, GUI_ManifestoWindow::ProgressText(gdp / 1.2f, gdp));
    EXPECT_FALSE(rows[1].kept);
    EXPECT_EQ(rows[1].progress, GetString("MANIFESTO_UNCHANGED"));
}

TEST(InfoWindows, MatchTheirGoldenPicturesAndFitEverySize) {
    Dilemma* dilemma = nullptr;
    struct Shot {
        const char* name;
        bool golden;
        std::function<void()> open;
    };
    const Shot shots[] = {
        {"votergroup", true,
         [] { OpenVoterGroupDetails(*VoterManager::Instance().VoterTypes()[3]); }},
        {"finance", true, [] { OpenFinances(); }},
        {"polls", true, [] { OpenPolls(); }},
        {"report", true, [] { OpenQuarterlyReport(); }},
        {"startdialog", true, [] { OpenStartDialog(); }},
        {"value", true, [] { OpenValueDetails(*SimulationManager::Instance().Values().front()); }},
        {"dilemma", true, [&dilemma] { OpenDilemma(*dilemma); }},
        {"manifestochoice", true, [] { OpenManifestoChoice(); }},
        {"approval", false, [] { OpenApprovalDetails(); }},
        {"votingintention", false, [] { OpenVotingIntentionDetails(); }},
        {"congress", false, [] { OpenCongress(); }},
        {"midterm", false, [] { OpenMidtermResults(); }},
        {"situation", false,
         [] { OpenSituationDetails(*SituationManager::Instance().Situations().front()); }},
        {"situationstart", false,
         [] { OpenSituationMessage(*SituationManager::Instance().Situations().front(), true); }},
        {"event", false,
         [] {
             Event* event = EventManager::Instance().Events().front();
             event->Fire();
             IssuesList::Instance().Clear();
             OpenEvent(*event);
         }},
        {"manifesto", false,
         [] {
             Manifesto::Instance().RestorePledge(Manifesto::Term::Live, "GDP", 0.1f, 0.5f);
             Manifesto::Instance().RestorePledge(Manifesto::Term::Live, "CrimeRate", -0.15f, 0.2f);
             OpenManifestoProgress();
         }},
        {"opposition", false,
         [] {
             OppositionMessage attack;
             attack.title = GetString("ATTACK_PATRIOT_TITLE");
             attack.text = GetString("ATTACK_PATRIOT_TEXT");
             attack.endsGame = true;
             OpenOppositionMessage(attack);
         }},
        {"achievement", false, [] { OpenAchievementDialog(0); }},
        {"achievements", false, [] { OpenAchievements(); }},
    };
    for (const auto& [width, height] :
         {std::pair{1024, 768}, std::pair{800, 600}, std::pair{1920, 1080}}) {
        GuiDriver driver(width, height);
        StartSeededGame(driver);
        ConfirmStartDialog();
        dilemma = FirstDilemmaForThisCountry();
        ASSERT_NE(dilemma, nullptr);
        dilemma->Trigger();
        IssuesList::Instance().Clear();
        const std::string size = std::to_string(width) + "x" + std::to_string(height);
        for (const Shot& shot : shots) {
            SCOPED_TRACE(std::string(shot.name) + " at " + size);
            shot.open();
            driver.Frames(1);
            const auto& windows = GUI_WindowManager::Instance().Windows();
            ASSERT_FALSE(windows.empty());
            const Rect rect = windows.back()->GetRect();
            EXPECT_GE(rect.left, 0);
            EXPECT_GE(rect.top, 0);
            EXPECT_LE(rect.right, width);
            EXPECT_LE(rect.bottom, height);
            const platform::Image frame = driver.Screenshot(std::string(shot.name) + "_" + size);
            if (shot.golden && width == 1024) {
                EXPECT_TRUE(
                    MatchesGolden(Crop(frame, rect), Golden(std::string(shot.name) + "_" + size)));
            }
            GUI_ModalHolder::Instance().SetModalWindow(nullptr);
            GUI_WindowManager::Instance().DeleteAll();
        }
        EXPECT_EQ(FailedAssertionCount(), 0);
    }
}
