// The menu screens driven with injected input: choosing a country, saving
// under a typed name, loading it back and resuming, the mission list's end,
// the saved-game list with its pages and a file that will not load.
#include <gtest/gtest.h>

#include <filesystem>

#include "core/GameRandom.h"
#include "engine/StyleSheet.h"
#include "core/SetupValues.h"
#include "engine/Updater.h"
#include "gui/GUI_MessageWindow.h"
#include "gui/GUI_TextButton.h"
#include "gui/GUI_WindowManager.h"
#include "gui/GuiScreen.h"
#include "gui/GuiText.h"
#include "gui/TutorialManager.h"
#include "gui/menu/GUI_MissionButton.h"
#include "gui/menu/LoadGameScreen.h"
#include "gui/menu/MenuListings.h"
#include "gui/menu/MissionSelectionScreen.h"
#include "gui/menu/SaveGameScreen.h"
#include "simulation/Mission.h"
#include "support/GuiDriver.h"
#include "support/ImageCompare.h"
#include "world/Gameplaymanager.h"
#include "world/StringTable.h"

namespace {

constexpr int kF4 = 62;  // the options screen from the game

std::string Golden(const std::string& name) {
    return std::string(POLITY_SOURCE_DIR) + "/tests/gui/golden/" + name + ".png";
}

void ClickButton(GuiDriver& driver, const char* key) {
    GUI_TextButton* button = TextButton(driver.App(), key);
    ASSERT_NE(button, nullptr) << key << " on screen " << driver.App().CurrentScreenId();
    ClickCentre(driver, button);
}

GUI_MissionButton* MissionButton(Application& app, size_t index) {
    auto* screen = dynamic_cast<MissionSelectionScreen*>(app.CurrentScreen());
    if (!screen) return nullptr;
    std::vector<GUI_MissionButton*> cards;
    for (const auto& button : screen->Controls().Buttons())
        if (auto* card = dynamic_cast<GUI_MissionButton*>(button.get())) cards.push_back(card);
    return index < cards.size() ? cards[index] : nullptr;
}

// From the main menu: the country at `index` of the list, then its briefing's start button.
void GovernCountry(GuiDriver& driver, size_t index) {
    ClickButton(driver, "NEW_GAME");
    ASSERT_EQ(driver.App().CurrentScreenId(), kScreenMissionSelection);
    ClickCentre(driver, MissionButton(driver.App(), index));
    auto* screen = dynamic_cast<MissionSelectionScreen*>(driver.App().CurrentScreen());
    ASSERT_EQ(screen->ChosenIndex(), int(index));
    GameRandom::Seed(7);
    ClickCentre(driver, screen->RunButton());
    ASSERT_EQ(driver.App().CurrentScreenId(), kScreenMainGame);
}

// From the game: the options screen, then its way back to the main menu.
void GameToMainMenu(GuiDriver& driver) {
    driver.Key(kF4);
    ASSERT_EQ(driver.App().CurrentScreenId(), kScreenOptions);
    ClickButton(driver, "MAIN_MENU");
    ASSERT_EQ(driver.App().CurrentScreenId(), kScreenMainMenu);
}

void Type(GuiDriver& driver, std::initializer_list<int> scanCodes) {
    for (int code : scanCodes) driver.Key(code);
}

std::string SaveFile(int turn, const char* country, const char* flag, const char* matrix,
                     const char* polls) {
    return std::string("\n[game]\ncurrentturn=") + std::to_string(turn) +
           "\nturnstoelection=0\ncurrentmonth=3\ncurrentyear=2025\ncountry=" + country +
           "\n\n[mission]\nPopulationModifier=1.0\nWealthModifier=1.0\nFlagName=" + flag +
           "\nMatrix=" + matrix + "\nCountryName=" + country + "\n" + polls;
}

}  // namespace

TEST(MenuScreens, NewGameSaveLoadAndResumeThroughTheMenus) {
    GuiDriver driver(1024, 768);
    std::filesystem::remove_all("data/savegames");
    EXPECT_EQ(TextButton(driver.App(), "SAVEGAME"), nullptr);
    EXPECT_EQ(TextButton(driver.App(), "RESUMEGAME"), nullptr);

    // The list shows the briefing's names; the second country's briefing.
    ClickButton(driver, "NEW_GAME");
    auto* missions = dynamic_cast<MissionSelectionScreen*>(driver.App().CurrentScreen());
    ASSERT_NE(missions, nullptr);
    ASSERT_EQ(missions->Missions().size(), 6u);
    EXPECT_EQ(MissionButton(driver.App(), 5)->Label(), "United States of Avenora");
    EXPECT_EQ(missions->RunButton(), nullptr);
    ClickCentre(driver, MissionButton(driver.App(), 1));
    EXPECT_TRUE(MissionButton(driver.App(), 1)->IsChosen());
    EXPECT_EQ(missions->Missions()[1].population, "29 million");
    driver.MoveTo(1000, 740);
    EXPECT_TRUE(MatchesGolden(driver.Screenshot("missions_1024x768"), Golden("missions_1024x768")));
    ClickCentre(driver, missions->RunButton());
    ASSERT_EQ(driver.App().CurrentScreenId(), kScreenMainGame);
    EXPECT_EQ(Mission::Instance().Name(), "Kesmara");
    GUI_WindowManager::Instance().DeleteAll();

    // A turn, so the save differs from a fresh start.
    Gameplaymanager::Instance().NewTurn();
    if (driver.App().CurrentScreenId() == kScreenLoading) driver.Click(500, 500);
    ASSERT_EQ(Gameplaymanager::Instance().TurnNumber(), 2);
    GUI_WindowManager::Instance().DeleteAll();

    GameToMainMenu(driver);
    ClickButton(driver, "SAVEGAME");
    auto* save = dynamic_cast<SaveGameScreen*>(driver.App().CurrentScreen());
    ASSERT_NE(save, nullptr);
    EXPECT_EQ(save->Name(), "savegame");
    // Backspace past the start does nothing; the name is refused while empty.
    for (int i = 0; i < 9; ++i) driver.Key(kBackspaceScanCode);
    EXPECT_EQ(save->Name(), "");
    ClickButton(driver, "SAVE_GAME");
    EXPECT_EQ(save->Notice(), GetString("SAVE_BAD_NAME_TEXT"));
    EXPECT_EQ(driver.App().CurrentScreenId(), kScreenSaveGame);
    EXPECT_FALSE(std::filesystem::exists("data/savegames/.dedu"));
    // "k e s 2", a semicolon that types nothing, Backspace, then "x".
    Type(driver, {37, 18, 31, 57, 3, 39, kBackspaceScanCode, 45});
    EXPECT_EQ(save->Name(), "kes x");
    EXPECT_EQ(save->Notice(), "");  // typing puts the refusal away
    driver.MoveTo(1000, 740);
    EXPECT_TRUE(MatchesGolden(driver.Screenshot("save_1024x768"), Golden("save_1024x768")));
    ClickButton(driver, "SAVE_GAME");
    EXPECT_EQ(driver.App().CurrentScreenId(), kScreenMainMenu);
    ASSERT_TRUE(std::filesystem::exists("data/savegames/kes x.dedu"));

    // Another country meanwhile, then the save back.
    GovernCountry(driver, 0);
    EXPECT_EQ(Mission::Instance().Name(), "Valoria");
    GUI_WindowManager::Instance().DeleteAll();
    GameToMainMenu(driver);
    ClickButton(driver, "LOADGAME");
    auto* load = dynamic_cast<LoadGameScreen*>(driver.App().CurrentScreen());
    ASSERT_NE(load, nullptr);
    // The turn may have written the autosave beside it.
    int slot = -1;
    for (size_t i = 0; i < load->Saves().size(); ++i)
        if (load->Saves()[i].name == "kes x") slot = int(i);
    ASSERT_GE(slot, 0);
    const SavedGameEntry& kesmara = load->Saves()[size_t(slot)];
    EXPECT_EQ(kesmara.country, "Republic of Kesmara");
    EXPECT_EQ(kesmara.turn, 2);
    EXPECT_EQ(kesmara.flagTexture, "flag_kesmara.dds");
    ClickCentre(driver, load->LoadButton(slot));
    ASSERT_EQ(driver.App().CurrentScreenId(), kScreenMainGame);
    EXPECT_EQ(Gameplaymanager::Instance().TurnNumber(), 2);
    EXPECT_EQ(Mission::Instance().Name(), "Kesmara");

    GUI_WindowManager::Instance().DeleteAll();
    GameToMainMenu(driver);
    ClickButton(driver, "RESUMEGAME");
    EXPECT_EQ(driver.App().CurrentScreenId(), kScreenMainGame);
    EXPECT_EQ(Gameplaymanager::Instance().TurnNumber(), 2);
}

TEST(MenuScreens, SavingAsksBeforeReplacingAndTypesAtMostThirtyThreeCharacters) {
    GuiDriver driver(1024, 768);
    driver.StartGame(3);
    GUI_WindowManager::Instance().DeleteAll();
    GameToMainMenu(driver);
    driver.Folder().Write("data/savegames/mine.dedu", "an older game");
    ClickButton(driver, "SAVEGAME");
    auto* save = dynamic_cast<SaveGameScreen*>(driver.App().CurrentScreen());
    ASSERT_NE(save, nullptr);
    for (int i = 0; i < 8; ++i) driver.Key(kBackspaceScanCode);
    Type(driver, {50, 23, 49, 18});  // "mine"
    ClickButton(driver, "SAVE_GAME");
    // Asked first: the older game is still there.
    EXPECT_EQ(save->Notice(), GetString("SAVE_REPLACE_TEXT"));
    EXPECT_EQ(driver.Folder().Read("data/savegames/mine.dedu"), "an older game");
    ClickButton(driver, "SAVE_GAME");
    EXPECT_EQ(driver.App().CurrentScreenId(), kScreenMainMenu);
    EXPECT_NE(driver.Folder().Read("data/savegames/mine.dedu"), "an older game");

    ClickButton(driver, "SAVEGAME");
    EXPECT_EQ(save->Name(), "savegame");
    for (int i = 0; i < 40; ++i) driver.Key(30);
    EXPECT_EQ(save->Name(), "savegame" + std::string(25, 'a'));
    // Blanks alone are no name; Escape leaves without saving.
    for (int i = 0; i < 33; ++i) driver.Key(kBackspaceScanCode);
    Type(driver, {57, 57});
    ClickButton(driver, "SAVE_GAME");
    EXPECT_EQ(save->Notice(), GetString("SAVE_BAD_NAME_TEXT"));
    driver.Screenshot("save_refused_1024x768");
    driver.Key(kEscapeScanCode);
    EXPECT_EQ(driver.App().CurrentScreenId(), kScreenMainMenu);
    EXPECT_EQ(std::filesystem::directory_iterator("data/savegames")->path().filename(),
              "mine.dedu");

    EXPECT_FALSE(IsUsableSaveName(""));
    EXPECT_FALSE(IsUsableSaveName(".."));
    EXPECT_FALSE(IsUsableSaveName(" - "));
    EXPECT_FALSE(IsUsableSaveName("../escape"));
    EXPECT_FALSE(IsUsableSaveName("a\\b"));
    EXPECT_TRUE(IsUsableSaveName("savegame(1)"));
}

TEST(MenuScreens, MissionListStopsAtTheFirstMissingNumber) {
    GuiDriver driver(1024, 768);
    std::filesystem::remove("data/missions/mission3.txt");
    // A classic bitmap name still finds the generated flag; a mission without
    // a briefing is listed by its config name, and its missing flag drawn plain.
    driver.Folder().Write("data/missions/mission2.txt",
                          "[config]\nname=Plainland\nflag=flags/kesmara_s.bmp\n");
    driver.Folder().Write("data/missions/mission1.txt", "[config]\nname=Nowhere\nflag=nowhere\n");
    ClickButton(driver, "NEW_GAME");
    auto* screen = dynamic_cast<MissionSelectionScreen*>(driver.App().CurrentScreen());
    ASSERT_NE(screen, nullptr);
    ASSERT_EQ(screen->Missions().size(), 2u);
    const MissionEntry& plain = screen->Missions()[1];
    EXPECT_EQ(plain.displayName, "Plainland");
    EXPECT_EQ(plain.flagTexture, "flag_kesmara.dds");
    EXPECT_TRUE(IsTextureAvailable(plain.flagTexture));
    EXPECT_EQ(plain.population, "<unknown>");
    EXPECT_FALSE(IsTextureAvailable(screen->Missions()[0].flagTexture));
    // The briefing of a mission without picture or values still draws.
    ClickCentre(driver, MissionButton(driver.App(), 0));
    driver.Screenshot("missions_plain_1024x768");
    EXPECT_EQ(screen->ChosenIndex(), 0);
    driver.Key(kEscapeScanCode);
    EXPECT_EQ(driver.App().CurrentScreenId(), kScreenMainMenu);

    // The tutorial is no mission of the list; its own button starts it.
    ClickButton(driver, "NEW_GAME");
    GUI_TextButton* tutorial = nullptr;
    for (const auto& button : screen->Controls().Buttons())
        if (auto* text = dynamic_cast<GUI_TextButton*>(button.get());
            text && text->Label() == "Tutorial")
            tutorial = text;
    ASSERT_NE(tutorial, nullptr);
    EXPECT_EQ(tutorial->Tooltip()->Text(), GetString("TOOLTIP_TUTORIAL"));
    ClickCentre(driver, tutorial);
    driver.Frames(2);
    EXPECT_TRUE(TutorialManager::Instance().IsActive());
    EXPECT_EQ(Mission::Instance().Name(), "Tarnholm");
    EXPECT_TRUE(driver.App().IsGameStarted());
}

TEST(MenuScreens, LoadListShowsEachSavePagesAndRefusesABrokenFile) {
    GuiDriver driver(1024, 768);
    std::filesystem::remove_all("data/savegames");
    const TempDirectory& folder = driver.Folder();
    folder.Write("data/savegames/avenora.dedu",
                 SaveFile(7, "USA", "avenora", "data/missions/mission6.mtx",
                          "\n[polls]\ntotalapproval = 0.531200\npotentialvote = 0.480000\n"));
    folder.Write("data/savegames/early.dedu",
                 SaveFile(3, "Valoria", "valoria", "data/missions/mission1.mtx", ""));
    folder.Write("data/savegames/broken.dedu", "[game]\ncurrentturn=x\n");
    for (int i = 0; i < 5; ++i)
        folder.Write("data/savegames/zz" + std::to_string(i) + ".dedu",
                     SaveFile(i, "Nordmere", "gone", "", ""));

    ClickButton(driver, "LOADGAME");
    auto* load = dynamic_cast<LoadGameScreen*>(driver.App().CurrentScreen());
    ASSERT_NE(load, nullptr);
    ASSERT_EQ(load->Saves().size(), 8u);
    const SavedGameEntry& avenora = load->Saves()[0];
    EXPECT_EQ(avenora.name, "avenora");
    EXPECT_EQ(avenora.country, "United States of Avenora");
    EXPECT_NEAR(avenora.approval, 53.12f, 0.001f);
    EXPECT_NEAR(avenora.intention, 48.0f, 0.001f);
    EXPECT_EQ(avenora.turn, 7);
    const SavedGameEntry& early = load->Saves()[2];
    EXPECT_EQ(early.name, "early");
    EXPECT_EQ(early.approval, 0.0f);  // no polls: 0.00 %
    EXPECT_EQ(early.intention, 0.0f);
    EXPECT_EQ(load->Saves()[3].country, "Nordmere");  // no mission file to name it better
    EXPECT_FALSE(IsTextureAvailable(load->Saves()[3].flagTexture));
    driver.MoveTo(1000, 740);
    EXPECT_TRUE(MatchesGolden(driver.Screenshot("load_1024x768"), Golden("load_1024x768")));

    // Six to a page at this size; the arrows turn the pages.
    EXPECT_EQ(load->EntriesPerPage(), 6);
    EXPECT_EQ(load->PageCount(), 2);
    driver.Key(205);
    EXPECT_EQ(load->Page(), 1);
    EXPECT_NE(load->LoadButton(1), nullptr);
    EXPECT_EQ(load->LoadButton(2), nullptr);
    driver.Screenshot("load_page2_1024x768");
    driver.Key(203);
    EXPECT_EQ(load->Page(), 0);

    // The broken file is named, the list and the screen stay, nothing started.
    ClickCentre(driver, load->LoadButton(1));
    EXPECT_EQ(driver.App().CurrentScreenId(), kScreenLoadGame);
    EXPECT_NE(load->LastProblem().find("data/savegames/broken.dedu"), std::string::npos)
        << load->LastProblem();
    ASSERT_FALSE(GUI_WindowManager::Instance().Windows().empty());
    auto* message =
        dynamic_cast<GUI_MessageWindow*>(GUI_WindowManager::Instance().Windows().back());
    ASSERT_NE(message, nullptr);
    EXPECT_EQ(message->Title(), GetString("LOAD_FAILED_TITLE"));
    driver.Screenshot("load_failed_1024x768");
    EXPECT_FALSE(driver.App().IsGameStarted());
    EXPECT_EQ(folder.Read("data/savegames/broken.dedu"), "[game]\ncurrentturn=x\n");
    // Leaving takes the message along.
    ClickButton(driver, "MAIN_MENU");
    EXPECT_TRUE(GUI_WindowManager::Instance().Windows().empty());
    EXPECT_EQ(TextButton(driver.App(), "RESUMEGAME"), nullptr);
}

TEST(MenuScreens, BriefingAndListsFitSmallAndLargeScreens) {
    for (const auto& [width, height] : {std::pair{800, 600}, std::pair{1920, 1080}}) {
        GuiDriver driver(width, height);
        const std::string size = std::to_string(width) + "x" + std::to_string(height);
        ClickButton(driver, "NEW_GAME");
        ClickCentre(driver, MissionButton(driver.App(), 5));
        auto* screen = dynamic_cast<MissionSelectionScreen*>(driver.App().CurrentScreen());
        ASSERT_NE(screen, nullptr);
        const GUI_TextButton* run = screen->RunButton();
        ASSERT_NE(run, nullptr);
        EXPECT_LE(run->Bottom(), TextButton(driver.App(), "MAIN_MENU")->Top()) << size;
        EXPECT_LE(run->Right(), width) << size;
        driver.Screenshot("missions_" + size);
        ClickButton(driver, "MAIN_MENU");
        ClickButton(driver, "LOADGAME");
        auto* load = dynamic_cast<LoadGameScreen*>(driver.App().CurrentScreen());
        ASSERT_NE(load, nullptr);
        EXPECT_GE(load->EntriesPerPage(), 4) << size;
    }
}

TEST(MenuScreens, MainMenuButtonsStayWholeOnEverySupportedScreen) {
    const std::pair<int, int> sizes[] = {{800, 600}, {1024, 768}, {1280, 720}, {1920, 1080}};
    for (const auto& [width, height] : sizes) {
        const std::string size = std::to_string(width) + "x" + std::to_string(height);
        SCOPED_TRACE(size);
        GuiDriver driver(width, height);
        // Save Game and Resume Game join the menu once a game is running.
        size_t before = 0;
        for (const bool withGame : {false, true}) {
            if (withGame) {
                driver.StartGame(5);
                GUI_WindowManager::Instance().DeleteAll();
                GameToMainMenu(driver);
            }
            auto* screen = dynamic_cast<GuiScreen*>(driver.App().CurrentScreen());
            ASSERT_NE(screen, nullptr);
            const auto& buttons = screen->Controls().Buttons();
            if (!withGame) before = buttons.size();
            ASSERT_EQ(buttons.size(), withGame ? before + 2 : before);
            for (size_t i = 0; i < buttons.size(); ++i) {
                const auto* button = dynamic_cast<const GUI_TextButton*>(buttons[i].get());
                ASSERT_NE(button, nullptr);
                EXPECT_GE(button->Left(), 0) << button->Label();
                EXPECT_GE(button->Top(), 0) << button->Label();
                EXPECT_LE(button->Right(), width) << button->Label();
                EXPECT_LE(button->Bottom(), height) << button->Label();
                EXPECT_LE(StyledTextWidth(StyleSheet::kHeadline, button->Label()), button->Width())
                    << button->Label();
                for (size_t j = 0; j < i; ++j) {
                    const Rect& a = button->GetRect();
                    const Rect& b = buttons[j]->GetRect();
                    EXPECT_FALSE(a.left < b.right && b.left < a.right && a.top < b.bottom &&
                                 b.top < a.bottom)
                        << button->Label() << " overlaps button " << j;
                }
            }
            driver.Screenshot("mainmenu_" + size + (withGame ? "_game" : ""));
        }
        // New Game is clicked where the player sees it (Quit, at the other
        // end, is only measured above: clicking it ends the program).
        ClickButton(driver, "NEW_GAME");
        EXPECT_EQ(driver.App().CurrentScreenId(), kScreenMissionSelection);
        ClickButton(driver, "MAIN_MENU");
        ClickButton(driver, "RESUMEGAME");
        EXPECT_EQ(driver.App().CurrentScreenId(), kScreenMainGame);
    }
}

TEST(MenuScreens, WebSiteAndUpdatesAreOfferedOnlyWhenTheirAddressesAreSet) {
    Updater::Instance().ClearServer();
    GuiDriver driver(1024, 768);
    // The shipped setup names neither.
    EXPECT_EQ(SetupValues::Instance().GetSetupString("website"), "");
    EXPECT_EQ(TextButton(driver.App(), "VISITWEBSITE"), nullptr);
    EXPECT_EQ(TextButton(driver.App(), "CHECKUPDATES"), nullptr);
    EXPECT_FALSE(driver.App().OpenProductWebSite());
    EXPECT_NE(TextButton(driver.App(), "NEW_GAME"), nullptr);

    std::string setup = driver.Folder().Read("data/data.ini");
    ReplaceFirst(setup, "website=\n", "website=https://localhost/polity\n");
    ReplaceFirst(setup, "updateserver=\n", "updateserver=localhost:9\n");
    driver.Folder().Write("data/data.ini", setup);
    SetupValues::Instance().Load();
    ClickButton(driver, "OPTIONS");
    ClickButton(driver, "MAIN_MENU");
    EXPECT_NE(TextButton(driver.App(), "VISITWEBSITE"), nullptr);
    ClickButton(driver, "CHECKUPDATES");
    EXPECT_EQ(driver.App().CurrentScreenId(), kScreenUpdates);
}
