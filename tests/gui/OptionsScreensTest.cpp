// The options, updates and loading screens driven through scripted input:
// settings that take effect and survive a restart, a new screen size, an
// update against a server inside the test, and the loading screen's
// quotations stepping on with the game.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>

#include "aids/BackdropManager.h"
#include "core/DataFiles.h"
#include "core/GameRandom.h"
#include "core/LoadingProgress.h"
#include "engine/Diagnostics.h"
#include "engine/Updater.h"
#include "gui/GUI_CheckBox.h"
#include "gui/GUI_SituationWindow.h"
#include "gui/GUI_TextButton.h"
#include "gui/GUI_WindowManager.h"
#include "gui/InfoWindows.h"
#include "gui/GuiScreen.h"
#include "gui/menu/LoadingScreen.h"
#include "gui/menu/OptionsScreen.h"
#include "gui/menu/UpdatesScreen.h"
#include "politics/Situation.h"
#include "politics/SituationManager.h"
#include "simulation/GameOptions.h"
#include "simulation/Network.h"
#include "simulation/Neuron.h"
#include "support/GuiDriver.h"
#include "support/ImageCompare.h"
#include "support/LocalHttpServer.h"
#include "world/Gameplaymanager.h"
#include "world/StringTable.h"

namespace {

const std::string kGolden = std::string(POLITY_SOURCE_DIR) + "/tests/gui/golden/";

GUI_TextButton* FindButton(Application& app, const std::string& label) {
    auto* screen = dynamic_cast<GuiScreen*>(app.CurrentScreen());
    if (!screen) return nullptr;
    for (const auto& button : screen->Controls().Buttons())
        if (auto* text = dynamic_cast<GUI_TextButton*>(button.get());
            text && text->Label() == label)
            return text;
    return nullptr;
}

OptionsScreen* OpenOptions(GuiDriver& driver) {
    driver.App().SetScreen(kScreenOptions);
    driver.Frames(1);
    return dynamic_cast<OptionsScreen*>(driver.App().CurrentScreen());
}

GUI_CheckBox* Box(OptionsScreen& options, const char* label) {
    for (GUI_CheckBox* box : options.CheckBoxes())
        if (box->Label() == GetString(label)) return box;
    return nullptr;
}

void ClickBox(GuiDriver& driver, const GUI_CheckBox& box) {
    const Rect r = box.BoxRect();
    driver.Click(float(r.left + r.right) / 2.0f, float(r.top + r.bottom) / 2.0f);
}

}  // namespace

TEST(OptionsScreen, ChangesTakeEffectAtOnceAndSurviveARestart) {
    GuiDriver driver(1024, 768);
    OptionsScreen* options = OpenOptions(driver);
    ASSERT_NE(options, nullptr);
    ASSERT_EQ(options->Sliders().size(), 5u);
    ASSERT_EQ(options->CheckBoxes().size(), 6u);
    EXPECT_TRUE(
        MatchesGolden(driver.Screenshot("options_1024x768"), kGolden + "options_1024x768.png"));

    // Difficulty at three quarters of its track, straight into the game's options.
    const GUI_SliderControl& difficulty = *options->Sliders()[3];
    EXPECT_EQ(difficulty.Label(), GetString("OPTION_DIFFICULTY"));
    const Rect track = difficulty.TrackRect();
    driver.Click(float(track.left) + 0.75f * float(track.right - track.left),
                 float(track.top + track.bottom) / 2.0f);
    EXPECT_NEAR(GameOptions::Instance().Get(GameOptions::kDifficulty), 0.75f, 0.01f);
    // The boxes start from the options and write them back.
    GUI_CheckBox* dilemmas = Box(*options, "IGNOREDILEMMAS");
    GUI_CheckBox* clock = Box(*options, "TOGGLECLOCK");
    ASSERT_TRUE(dilemmas && clock);
    EXPECT_FALSE(dilemmas->IsChecked());
    EXPECT_TRUE(clock->IsChecked());
    EXPECT_EQ(dilemmas->Tooltip()->Text(), GetString("TOOLTIP_IGNOREDILEMMAS"));
    ClickBox(driver, *dilemmas);
    ClickBox(driver, *clock);
    EXPECT_EQ(GameOptions::Instance().Get(GameOptions::kIgnoreDilemmas), 1.0f);
    EXPECT_EQ(GameOptions::Instance().Get(GameOptions::kShowClock), 0.0f);

    // Leaving writes them, before any shutdown.
    GUI_TextButton* back = FindButton(driver.App(), GetString("MAIN_MENU"));
    ASSERT_NE(back, nullptr);
    ClickCentre(driver, *back);
    EXPECT_EQ(driver.App().CurrentScreenId(), kScreenMainMenu);
    EXPECT_EQ(ReadText("options", "IGNOREDILEMMAS", 32, "data/options.dedu"), "1.000000");

    // A restart reads them back, and the screen shows them.
    driver.App().Shutdown();
    for (int i = 0; i < GameOptions::kCount; ++i)
        GameOptions::Instance().Set(GameOptions::Default(i), i);
    driver.App().Startup();
    EXPECT_NEAR(GameOptions::Instance().Get(GameOptions::kDifficulty), 0.75f, 0.01f);
    options = OpenOptions(driver);
    EXPECT_TRUE(Box(*options, "IGNOREDILEMMAS")->IsChecked());
    EXPECT_FALSE(Box(*options, "TOGGLECLOCK")->IsChecked());
    for (int i = 0; i < GameOptions::kCount; ++i)
        GameOptions::Instance().Set(GameOptions::Default(i), i);
}

TEST(OptionsScreen, ItAndTheWindowsOfAGameFindEveryLabelInTheStringTable) {
    GuiDriver driver(1024, 768);
    // Twice from the main menu: each visit builds the screen anew.
    for (int visit = 0; visit < 2; ++visit) {
        GUI_TextButton* options = FindButton(driver.App(), GetString("OPTIONS"));
        ASSERT_NE(options, nullptr);
        ClickCentre(driver, *options);
        ASSERT_EQ(driver.App().CurrentScreenId(), kScreenOptions);
        driver.Frames(2);
        ClickCentre(driver, *FindButton(driver.App(), GetString("MAIN_MENU")));
    }
    driver.StartGame(5);
    for (void (*open)() : {OpenApprovalDetails, OpenVotingIntentionDetails, OpenPolls,
                           OpenFinances, OpenManifestoProgress, OpenAchievements}) {
        open();
        driver.Frames(2);
        GUI_WindowManager::Instance().DeleteAll();
    }
    const std::string log = ReadDebugLog();
    const size_t missing = log.find("Missing string");
    EXPECT_EQ(missing, std::string::npos) << log.substr(missing, log.find('\n', missing) - missing);
}

TEST(OptionsScreen, AResolutionIsWrittenAndTheScreenRebuiltAtThatSize) {
    GuiDriver driver(1024, 768);
    OptionsScreen* options = OpenOptions(driver);
    ASSERT_EQ(options->ResolutionButtons().size(), 4u);
    ClickCentre(driver, *options->ResolutionButtons()[2]);  // 1280 x 1024
    EXPECT_EQ(ReadWholeNumber("pref", "SCREEN_WIDTH", 0, "data/config.muf"), 1280);
    EXPECT_EQ(ReadWholeNumber("pref", "SCREEN_HEIGHT", 0, "data/config.muf"), 1024);
    EXPECT_EQ(driver.App().CurrentScreenId(), kScreenOptions);
    EXPECT_FLOAT_EQ(driver.App().InterfaceScale(), 1.25f);
    const platform::Image frame = driver.Screenshot("options_1280x1024");
    EXPECT_EQ(frame.width, 1280);
    // The controls were laid out for the new size.
    GUI_TextButton* back = FindButton(driver.App(), GetString("MAIN_MENU"));
    ASSERT_NE(back, nullptr);
    EXPECT_EQ(back->Right(), 1280 - 25);
    options = dynamic_cast<OptionsScreen*>(driver.App().CurrentScreen());
    EXPECT_EQ(options->Sliders()[0]->Width(), 250);

    // The full-screen box flips the display setting and restarts the display.
    GUI_CheckBox* full = Box(*options, "FULLSCREEN");
    ASSERT_NE(full, nullptr);
    const bool wasFull = full->IsChecked();
    ClickBox(driver, *full);
    EXPECT_EQ(driver.Services().TogglesDone(), 1);
    EXPECT_EQ(ReadWholeNumber("config", "IsWindowed", -1, "data/config.muf"), wasFull ? 1 : 0);
    options = dynamic_cast<OptionsScreen*>(driver.App().CurrentScreen());
    ASSERT_NE(options, nullptr);
    EXPECT_EQ(Box(*options, "FULLSCREEN")->IsChecked(), !wasFull);
}

TEST(UpdatesScreen, FetchesAndListsFilesAndReportsAServerError) {
    GuiDriver driver(1024, 768);
    LocalHttpServer server;
    server.Serve("/voxmere/autoupdate/files.txt",
                 "files/a.txt,data/mods/policies/new.txt\r\nfiles/b.csv,data/extra.csv\r\n"
                 "files/strings.ini,data/strings.ini\r\n");
    server.Serve("/files/a.txt", "a mod\n");
    server.Serve("/files/b.csv", std::string(50000, 'b'), 200, LocalHttpServer::Framing::Chunked);
    Updater::Instance().SetServer(server.Address());
    const std::string strings = driver.Folder().Read("data/strings.ini");

    driver.App().SetScreen(kScreenUpdates);
    auto* updates = dynamic_cast<UpdatesScreen*>(driver.App().CurrentScreen());
    ASSERT_NE(updates, nullptr);
    GUI_TextButton* download = FindButton(driver.App(), GetString("UPDATE_DOWNLOAD"));
    ASSERT_NE(download, nullptr);
    ClickCentre(driver, *download);
    driver.Frames(1);
    EXPECT_EQ(updates->GetState(), UpdatesScreen::State::Done);
    EXPECT_GT(updates->ProgressFrames(), 1);
    EXPECT_EQ(updates->Downloaded(),
              (std::vector<std::string>{"data/mods/policies/new.txt", "data/extra.csv"}));
    EXPECT_EQ(driver.Folder().Read("data/extra.csv"), std::string(50000, 'b'));
    EXPECT_EQ(driver.Folder().Read("data/strings.ini"), strings);  // never replaced
    EXPECT_TRUE(
        MatchesGolden(driver.Screenshot("updates_1024x768"), kGolden + "updates_1024x768.png"));

    // A file the server cannot give: the run says so, keeps what is here,
    // and the screen takes clicks again.
    server.Serve("/voxmere/autoupdate/files.txt",
                 "files/a.txt,data/mods/policies/new.txt\nfiles/c.txt,data/c.txt\n");
    server.Serve("/files/c.txt", "gone", 500);
    ClickCentre(driver, *download);
    driver.Screenshot("updates_failed_1024x768");
    EXPECT_EQ(updates->GetState(), UpdatesScreen::State::Failed);
    ASSERT_FALSE(updates->Errors().empty());
    EXPECT_NE(updates->Errors().front().find("500"), std::string::npos)
        << updates->Errors().front();
    EXPECT_FALSE(std::filesystem::exists("data/c.txt"));
    EXPECT_EQ(driver.Folder().Read("data/mods/policies/new.txt"), "a mod\n");

    // Without any server the player is told where to set one.
    Updater::Instance().SetServer("");
    ClickCentre(driver, *download);
    EXPECT_EQ(updates->GetState(), UpdatesScreen::State::Failed);
    EXPECT_EQ(updates->Errors(), std::vector<std::string>{GetString("UPDATE_NOSERVER")});
    GUI_TextButton* back = FindButton(driver.App(), GetString("MAIN_MENU"));
    ClickCentre(driver, *back);
    EXPECT_EQ(driver.App().CurrentScreenId(), kScreenMainMenu);
}

TEST(LoadingScreen, ShowsAQuotationThatStepsOnWithTheGame) {
    GuiDriver driver(1024, 768);
    BackdropManager& backdrops = BackdropManager::Instance();
    GameRandom::Seed(3);
    backdrops.Load();
    ASSERT_GT(backdrops.Backdrops().size(), 2u);
    const size_t count = backdrops.Backdrops().size();
    const size_t start = backdrops.CurrentIndex();

    // Game start moves on once, and so does every later turn; the frame of
    // the turn's fourth step is kept.
    driver.App().SetScreen(kScreenLoading);
    auto* loading = dynamic_cast<LoadingScreen*>(driver.App().CurrentScreen());
    ASSERT_NE(loading, nullptr);
    std::vector<std::string> labels;
    platform::Image midTurn;
    SetLoadingProgressHandler([&](std::string_view label, float progress) {
        labels.emplace_back(label);
        const bool keep = Gameplaymanager::Instance().TurnNumber() == 2 && labels.size() >= 4 &&
                          midTurn.width == 0;
        if (keep) driver.Services().CaptureNextFrame();
        // The bar runs on across games, so the kept frame gets a fixed fraction.
        loading->Report(label, keep ? 0.2f : progress);
        if (keep) midTurn = driver.Services().CapturedFrame();
    });
    Gameplaymanager::Instance().StartGame("mission1");
    EXPECT_EQ(backdrops.CurrentIndex(), (start + 1) % count);
    ASSERT_FALSE(labels.empty());
    EXPECT_EQ(labels.front(), "Analayzing decisions");
    labels.clear();
    Gameplaymanager::Instance().NewTurn();
    SetLoadingProgressHandler(
        [loading](std::string_view label, float progress) { loading->Report(label, progress); });
    EXPECT_EQ(backdrops.CurrentIndex(), (start + 2) % count);
    EXPECT_EQ(labels.front(), "Analayzing decisions");

    ASSERT_EQ(midTurn.width, 1024);
    EXPECT_TRUE(MatchesGolden(midTurn, kGolden + "loading_1024x768.png"));
    // The bar is where it always was, filled from its left end.
    EXPECT_TRUE(PixelNear(midTurn, 292, 380, 0x0072B2));
    EXPECT_TRUE(PixelNear(midTurn, 730, 380, 0xE2DED4));

    // Once the turn is done the quotation stays and a click carries on.
    driver.App().SetScreen(kScreenLoading);
    driver.Screenshot("loading_finished_1024x768");
    driver.Click(600, 600);
    EXPECT_EQ(driver.App().CurrentScreenId(), kScreenMainGame);
}

TEST(SituationWindow, ListsThePoliciesTheHintsSuggest) {
    GuiDriver driver(1024, 768);
    Gameplaymanager::Instance().StartGame("mission1");
    driver.App().SetScreen(kScreenMainGame);
    Situation* crime = SituationManager::Instance().FindSituation("CrimeWave");
    ASSERT_NE(crime, nullptr);
    auto* window = dynamic_cast<GUI_SituationWindow*>(
        GUI_WindowManager::Instance().Open(std::make_unique<GUI_SituationWindow>(*crime)));
    ASSERT_NE(window, nullptr);
    const Neuron* police = Network::FindByName("PoliceForce");
    ASSERT_NE(police, nullptr);
    // The table's order, by the names the player reads.
    const std::string& listed = window->Suggestions();
    const std::string first =
        police->DisplayName().empty() ? police->Name() : police->DisplayName();
    EXPECT_EQ(listed.rfind(first + ", ", 0), 0u) << listed;
    EXPECT_EQ(std::count(listed.begin(), listed.end(), ','), 6) << listed;
    window->SetPosition(100, 40);
    driver.Screenshot("situation_hints_1024x768");
    EXPECT_LE(window->Bottom(), 768);
}
