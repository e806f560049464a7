// The windowed program driven through real screens offscreen: the main menu
// starts a game, the control panel ends turns under its rule, every screen
// draws at small and large sizes, and the display switch keeps the game.
#include <SDL.h>
#include <gtest/gtest.h>

#include "aids/Achievements.h"
#include "core/DataFiles.h"
#include "core/LoadingProgress.h"
#include "core/TextUtilities.h"
#include "engine/Diagnostics.h"
#include "gui/GUI_ControlPanel.h"
#include "gui/GUI_HoverImageButton.h"
#include "gui/GUI_ModalHolder.h"
#include "gui/GUI_TextButton.h"
#include "gui/GUI_WindowManager.h"
#include "gui/GuiScreen.h"
#include "gui/MainGameScreen.h"
#include "gui/menu/GUI_MissionButton.h"
#include "gui/menu/LoadingScreen.h"
#include "gui/menu/MissionSelectionScreen.h"
#include "platform/ImageFiles.h"
#include "politics/IssuesList.h"
#include "simulation/GameOptions.h"
#include "simulation/Network.h"
#include "simulation/Neuron.h"
#include "support/GuiDriver.h"
#include "support/ImageCompare.h"
#include "world/Gameplaymanager.h"
#include "world/StringTable.h"

namespace {

// The centre of the current screen's text button with this label's key.
bool FindTextButton(Application& app, const char* key, float* x, float* y) {
    auto* screen = dynamic_cast<GuiScreen*>(app.CurrentScreen());
    if (!screen) return false;
    for (const auto& button : screen->Controls().Buttons()) {
        auto* text = dynamic_cast<GUI_TextButton*>(button.get());
        if (text && text->Label() == GetString(key)) {
            *x = float(text->Left() + text->Right()) / 2.0f;
            *y = float(text->Top() + text->Bottom()) / 2.0f;
            return true;
        }
    }
    return false;
}

GUI_HoverImageButton* NextTurnButton(Application& app) {
    auto* screen = dynamic_cast<MainGameScreen*>(app.CurrentScreen());
    return screen && screen->ControlPanel() ? screen->ControlPanel()->NextTurnButton() : nullptr;
}

// From the main menu through the mission list into the first turn of mission 1.
void StartNewGame(GuiDriver& driver) {
    float x = 0, y = 0;
    ASSERT_TRUE(FindTextButton(driver.App(), "NEW_GAME", &x, &y));
    driver.Click(x, y);
    auto* missions = dynamic_cast<MissionSelectionScreen*>(driver.App().CurrentScreen());
    ASSERT_NE(missions, nullptr);
    RunFirstCountry(driver, *missions);
    ASSERT_EQ(driver.App().CurrentScreenId(), kScreenMainGame);
    ASSERT_EQ(Gameplaymanager::Instance().TurnNumber(), 1);
}

}  // namespace

TEST(Screens, NewGameFromTheMenuAndTurnsFromTheControlPanel) {
    GuiDriver driver(1024, 768);
    EXPECT_EQ(driver.App().CurrentScreenId(), kScreenMainMenu);
    const platform::Image menu = driver.Screenshot("menu_1024x768");
    ASSERT_EQ(menu.width, 1024);
    // The slate backdrop and the paper band with the game's name.
    EXPECT_TRUE(PixelNear(menu, 4, 760, 0x2E3A4B));
    EXPECT_TRUE(PixelNear(menu, 4, 260, 0xF4F1EA));
    // Before any game, neither saving nor resuming is offered.
    float x = 0, y = 0;
    EXPECT_FALSE(FindTextButton(driver.App(), "SAVEGAME", &x, &y));
    EXPECT_FALSE(FindTextButton(driver.App(), "RESUMEGAME", &x, &y));

    StartNewGame(driver);
    GUI_HoverImageButton* next = NextTurnButton(driver.App());
    ASSERT_NE(next, nullptr);
    driver.MoveTo(float(next->Left() + 5), float(next->Top() + 5));
    driver.Frames(25);  // the pointer rests: the tooltip shows
    driver.Screenshot("game_1024x768");
    EXPECT_TRUE(next->Tooltip()->IsShowing());
    EXPECT_EQ(next->Tooltip()->Text(), GetString("TOOLTIP_NextTurn"));

    ClickCentre(driver, *next);
    EXPECT_EQ(Gameplaymanager::Instance().TurnNumber(), 2);
    // A turn ends on the loading screen until the player clicks on.
    if (driver.App().CurrentScreenId() == kScreenLoading) driver.Click(500, 500);
    ASSERT_EQ(driver.App().CurrentScreenId(), kScreenMainGame);

    // A waiting dilemma disables the button and changes its tooltip...
    Neuron* dilemma = Network::Create<Neuron>();
    dilemma->SetName("TestDilemma");
    IssuesList::Instance().AddDilemma(dilemma);
    next = NextTurnButton(driver.App());
    driver.Frames(1);
    EXPECT_FALSE(next->IsEnabled());
    EXPECT_EQ(next->Tooltip()->Text(), GetString("TOOLTIP_NextTurnDisabled"));
    driver.Screenshot("dilemma_waiting_1024x768");
    ClickCentre(driver, *next);
    EXPECT_EQ(Gameplaymanager::Instance().TurnNumber(), 2);
    // ...unless the player chose to ignore dilemmas.
    GameOptions::Instance().Set(1.0f, GameOptions::kIgnoreDilemmas);
    driver.Frames(1);
    EXPECT_TRUE(next->IsEnabled());
    GameOptions::Instance().Set(0.0f, GameOptions::kIgnoreDilemmas);

    // Clicking the dilemma's icon (the last one; the turn may have added
    // others) takes it off the list, once the turn's report is out of the
    // way. (A plain neuron has no dilemma window to open.)
    GUI_WindowManager::Instance().DeleteAll();
    const size_t count = IssuesList::Instance().Count();
    const IssueIconRectangle icon = IssuesList::IconRectangle(count - 1, count, 1024, 768);
    driver.Click(float(icon.left + 5), float(icon.top + 5));
    EXPECT_EQ(IssuesList::Instance().Count(), count - 1);
    EXPECT_EQ(IssuesList::Instance().FindByName("TestDilemma"), nullptr);
    driver.Screenshot("issue_taken_1024x768");
}

TEST(Screens, ModalDialogTakesTheMainScreensClicksAndHoldsTheTurn) {
    GuiDriver driver(1024, 768);
    StartNewGame(driver);
    auto* dialog = GUI_WindowManager::Instance().Open(std::make_unique<GUI_Window>());
    dialog->SetRect(300, 300, 700, 500);
    int answered = 0;
    dialog->Add<GUI_Button>([&] { ++answered; })->SetRect(320, 320, 400, 360);
    GUI_ModalHolder::Instance().SetModalWindow(dialog);

    GUI_HoverImageButton* next = NextTurnButton(driver.App());
    ClickCentre(driver, *next);
    EXPECT_EQ(Gameplaymanager::Instance().TurnNumber(), 1);
    driver.Click(350, 340);
    EXPECT_EQ(answered, 1);
    GUI_WindowManager::Instance().Close(dialog);
    driver.Frames(1);
    EXPECT_FALSE(GUI_ModalHolder::Instance().HasModalWindow());
    ClickCentre(driver, *next);
    EXPECT_EQ(Gameplaymanager::Instance().TurnNumber(), 2);
}

TEST(Screens, EveryScreenDrawsAtSmallAndLargeSizes) {
    for (const auto& [width, height] : {std::pair{800, 600}, std::pair{1920, 1080}}) {
        GuiDriver driver(width, height);
        const int failures = FailedAssertionCount();
        for (int id : {0, 1, 2, 3, 4, 9, 5, 7}) {
            driver.App().SetScreen(id);
            const platform::Image frame =
                driver.Screenshot("screen" + std::to_string(id) + "_" + std::to_string(width) +
                                  "x" + std::to_string(height));
            ASSERT_EQ(frame.width, width);
            ASSERT_EQ(frame.height, height);
            // Every screen puts something on its slate backdrop.
            int painted = 0;
            for (std::uint32_t pixel : frame.pixels) painted += (pixel & 0xFFFFFF) != 0x2E3A4B;
            EXPECT_GT(painted, width * height / 50) << "screen " << id;
        }
        EXPECT_EQ(FailedAssertionCount(), failures);
        // Buttons of the main game screen scale with the screen.
        driver.App().SetScreen(kScreenMainGame);
        const GUI_HoverImageButton* next = NextTurnButton(driver.App());
        ASSERT_NE(next, nullptr);
        EXPECT_NEAR(next->Width(), 50.0f * float(width) / 1024.0f, 1.0f);
        EXPECT_LE(next->Right(), width);
    }
}

TEST(Screens, AltReturnSwitchesTheDisplayAndKeepsTheGame) {
    GuiDriver driver(1024, 768);
    StartNewGame(driver);
    ClickCentre(driver, *NextTurnButton(driver.App()));
    if (driver.App().CurrentScreenId() == kScreenLoading) driver.Click(500, 500);
    ASSERT_EQ(Gameplaymanager::Instance().TurnNumber(), 2);
    Achievements::Instance().RecordApproval(0.91f);

    driver.Key(Application::kReturnScanCode, /*withLeftAlt=*/true);
    EXPECT_EQ(driver.Services().TogglesDone(), 1);
    EXPECT_EQ(ReadWholeNumber("config", "IsWindowed", -1, "data/config.muf"), 0);
    // The records were written before start-up read them back.
    EXPECT_TRUE(driver.Folder().Read("data/dedu.jad").size() > 0);
    EXPECT_EQ(driver.App().CurrentScreenId(), kScreenMainGame);
    EXPECT_EQ(Gameplaymanager::Instance().TurnNumber(), 2);
    const platform::Image frame = driver.Screenshot("after_toggle_1024x768");
    // The election timeline is drawn again: its first month has passed.
    EXPECT_TRUE(PixelNear(frame, 260, 759, 0x531010));

    // A plain Return does not switch; a second Alt+Return switches back.
    driver.Key(Application::kReturnScanCode);
    EXPECT_EQ(driver.Services().TogglesDone(), 1);
    driver.Key(Application::kReturnScanCode, true);
    EXPECT_EQ(ReadWholeNumber("config", "IsWindowed", -1, "data/config.muf"), 1);

    // A quick Alt+Return lets go of both keys before the frame reads them:
    // it still switches, and once.
    platform::InputDevice& device = driver.Services().Device();
    device.PushKey({Application::kLeftAltScanCode, true});
    device.PushKey({Application::kReturnScanCode, true});
    device.PushKey({Application::kReturnScanCode, false});
    device.PushKey({Application::kLeftAltScanCode, false});
    driver.Frames(2);
    EXPECT_EQ(driver.Services().TogglesDone(), 3);
    EXPECT_EQ(ReadWholeNumber("config", "IsWindowed", -1, "data/config.muf"), 0);
}

TEST(Screens, FocusLossStopsFramesUntilFocusReturns) {
    // A window of SDL's dummy video driver, so the frame loop pumps real
    // window events.
    GuiDriver driver(800, 600, D3DEngine::Display::Window);
    ASSERT_TRUE(driver.App().IsActive());
    SDL_Event focus{};
    focus.type = SDL_WINDOWEVENT;
    focus.window.event = SDL_WINDOWEVENT_FOCUS_LOST;
    SDL_PushEvent(&focus);
    // The loop keeps pumping events while inactive but draws nothing; a
    // close request a little later ends it.
    const SDL_TimerID timer = SDL_AddTimer(
        100,
        [](Uint32, void*) -> Uint32 {
            SDL_Event quit{};
            quit.type = SDL_QUIT;
            SDL_PushEvent(&quit);
            return 0;
        },
        nullptr);
    const long frames = driver.App().FramesRun();
    driver.App().Run(frames + 5);
    SDL_RemoveTimer(timer);
    EXPECT_FALSE(driver.App().IsActive());
    EXPECT_EQ(driver.App().FramesRun(), frames);

    focus.window.event = SDL_WINDOWEVENT_FOCUS_GAINED;
    SDL_PushEvent(&focus);
    driver.Services().PumpEvents();
    EXPECT_TRUE(driver.App().IsActive());
    driver.Frames(2);
    EXPECT_EQ(driver.App().FramesRun(), frames + 2);
}

TEST(Screens, ScreenConfigurationSizesTheDisplay) {
    struct Case {
        const char* pref;
        int desktopWidth, desktopHeight;
        int width, height;
        int isWindowed;
    };
    const Case cases[] = {
        // Unset: the desktop's size, full screen.
        {"SCREEN_WIDTH=0\nSCREEN_HEIGHT=768\n", 1920, 1200, 1920, 1200, 0},
        // Too tall: cut to the desktop, which makes it full screen.
        {"SCREEN_WIDTH=1024\nSCREEN_HEIGHT=1500\n", 1920, 1200, 1024, 1200, 0},
        {"SCREEN_WIDTH=1280\nSCREEN_HEIGHT=720\n", 1920, 1200, 1280, 720, 1},
        // 4000 wide on a 2560 desktop is cut to 2560, still too wide: 800 x 600.
        {"SCREEN_WIDTH=4000\nSCREEN_HEIGHT=1000\n", 2560, 1600, 800, 600, 1},
    };
    for (const Case& c : cases) {
        TempDirectory folder;
        CopyShippedData();
        folder.Write("data/config.muf",
                     std::string("[pref]\n") + c.pref + "ColorDepth=32\n[config]\nIsWindowed=1\n");
        WindowedOptions options;
        options.display = D3DEngine::Display::Null;
        options.fallbackDesktopWidth = c.desktopWidth;
        options.fallbackDesktopHeight = c.desktopHeight;
        Application& app = Application::Instance();
        app.SetServices(std::make_unique<WindowedServices>(options));
        app.Startup();
        EXPECT_EQ(D3DEngine::Instance().Width(), c.width) << c.pref;
        EXPECT_EQ(D3DEngine::Instance().Height(), c.height) << c.pref;
        EXPECT_FLOAT_EQ(app.InterfaceScale(), float(c.width) / 1024.0f);
        EXPECT_EQ(ReadWholeNumber("config", "IsWindowed", -1, "data/config.muf"), c.isWindowed);
        app.Shutdown();
        app.SetServices(nullptr);
        D3DEngine::Instance().ResetForNewRun();
    }
}

TEST(Screens, LoadingScreenShowsTheTurnsProgressThenWaitsForAClick) {
    GuiDriver driver(1024, 768);
    StartNewGame(driver);
    driver.App().SetScreen(kScreenLoading);
    auto* loading = dynamic_cast<LoadingScreen*>(driver.App().CurrentScreen());
    ASSERT_NE(loading, nullptr);
    driver.App().SetScreen(kScreenMainGame);
    // Catch the frame drawn for the fourth step of the turn.
    int reports = 0;
    platform::Image midTurn;
    std::string midLabel;
    float midFill = 0.0f;
    SetLoadingProgressHandler([&](std::string_view label, float progress) {
        if (++reports == 4) driver.Services().CaptureNextFrame();
        loading->Report(label, progress);
        if (reports == 4)
            midTurn = driver.Services().CapturedFrame(), midLabel = label,
            midFill = LoadingScreen::BarFraction(progress);
    });
    ClickCentre(driver, *NextTurnButton(driver.App()));
    SetLoadingProgressHandler(
        [loading](std::string_view label, float progress) { loading->Report(label, progress); });
    ASSERT_GT(reports, 4);
    ASSERT_EQ(midTurn.width, 1024);
    if (const char* dir = std::getenv("POLITY_SCREENSHOT_DIR"); dir && *dir)
        platform::WritePng(std::string(dir) + "/loading_1024x768.png", midTurn);
    EXPECT_FALSE(midLabel.empty());
    // The bar runs from x 288 to 736; the fraction runs on from the turns
    // before, so where its fill ends depends on what was played.
    const int fillEnd = 288 + int(448.0f * midFill);
    if (midFill > 0.02f) {
        EXPECT_TRUE(PixelNear(midTurn, (288 + fillEnd) / 2, 380, 0x0072B2));
    }
    if (midFill < 0.98f) {
        EXPECT_TRUE(PixelNear(midTurn, (fillEnd + 736) / 2, 380, 0xE2DED4));
    }

    EXPECT_EQ(driver.App().CurrentScreenId(), kScreenLoading);
    driver.Click(600, 600);
    EXPECT_EQ(driver.App().CurrentScreenId(), kScreenMainGame);
}

// Last in this file: after it the application has been asked to quit.
TEST(Screens, QuitFromTheMainMenuShutsDownAndEndsTheLoop) {
    GuiDriver driver(800, 600);
    float x = 0, y = 0;
    ASSERT_TRUE(FindTextButton(driver.App(), "QUIT_GAME", &x, &y));
    driver.Click(x, y);
    EXPECT_TRUE(driver.App().IsQuitRequested());
    // The records were saved on the way out.
    EXPECT_FALSE(driver.Folder().Read("data/options.dedu").empty());
}
