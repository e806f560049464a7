// Start-up and shutdown order, screen switching, keys, clicks and focus.
#include <gtest/gtest.h>

#include "core/Application.h"
#include "core/CommandLine.h"
#include "core/EnrolledManager.h"
#include "core/LinkedMode.h"
#include "core/ScreenConfiguration.h"
#include "core/SetupValues.h"
#include "platform/IniFile.h"
#include "support/TempDirectory.h"

namespace {

std::vector<std::string> g_calls;

class RecordingScreen : public Screen {
public:
    explicit RecordingScreen(int id) : id_(id) {}
    void RunFrame() override { g_calls.push_back("frame " + std::to_string(id_)); }
    void MouseClick(int x, int y) override { g_calls.push_back("click " + std::to_string(x) + "," + std::to_string(y)); }
    void Key(int code) override { g_calls.push_back("key " + std::to_string(code)); }
    void Activate() override { g_calls.push_back("activate " + std::to_string(id_)); }

private:
    int id_;
};

class RecordingServices : public ApplicationServices {
public:
    bool StartDevices() override { return Note("devices"); }
    void StartContent() override { Note("content"); }
    void StartMusicAndRecords() override { Note("music"); }
    std::unique_ptr<Screen> CreateScreen(int id) override {
        Note("create " + std::to_string(id));
        return std::make_unique<RecordingScreen>(id);
    }
    void BeginFrame() override { Note("begin"); }
    void EndFrame() override { Note("end"); }
    void OnActivation(bool active) override { Note(active ? "activated" : "deactivated"); }
    bool ModalDialogTakesClick(int, int) override { return modal; }
    void PrepareWindowedToggle() override { Note("toggle"); }
    void SaveRecords() override { Note("save records"); }
    void ReleaseGameState() override { Note("release state"); }
    void ReleaseDevices() override { Note("release devices"); }
    bool modal = false;

private:
    static bool Note(const std::string& what) {
        g_calls.push_back(what);
        return true;
    }
};

class CountingManager : public EnrolledManager {
public:
    void Reset() override { g_calls.push_back("reset manager"); }
};

}  // namespace

TEST(Application, RunsStartupFramesScreensAndShutdownInOrder) {
    TempDirectory dir;
    dir.Write("data/data.ini", "[setup]\npolicies=data/simulation/policies.csv\nshowmatrix=1\n");
    g_calls.clear();
    auto services = std::make_unique<RecordingServices>();
    RecordingServices* raw = services.get();
    Application& app = Application::Instance();
    app.SetServices(std::move(services));
    CountingManager manager;

    ASSERT_TRUE(app.Startup());
    EXPECT_TRUE(IsLinkedMode());
    EXPECT_EQ(SetupValues::Instance().GetSetupString("policies"), "data/simulation/policies.csv");
    EXPECT_FLOAT_EQ(SetupValues::Instance().GetSetupFloat("showmatrix"), 1.0f);
    EXPECT_EQ(g_calls, (std::vector<std::string>{"devices", "content", "create 0", "activate 0", "music"}));

    g_calls.clear();
    app.SetScreen(6);  // the main game screen under its second id
    app.Run(app.FramesRun() + 1);
    app.OnMouseClick(3, 4);
    raw->modal = true;
    app.OnMouseClick(5, 6);  // a modal dialog takes clicks on the main game screen
    app.SetScreen(42);       // unknown ids show the main menu, created only once
    EXPECT_EQ(app.CurrentScreenId(), 42);
    EXPECT_EQ(g_calls, (std::vector<std::string>{"create 5", "activate 5", "begin", "frame 5", "end", "click 3,4",
                                                 "activate 0"}));

    g_calls.clear();
    app.OnActivation(false);
    EXPECT_FALSE(app.IsActive());
    app.OnActivation(true);
    app.OnKey(Application::kReturnScanCode, false);
    app.OnKey(Application::kReturnScanCode, true);  // Alt+Return: start-up again, main menu back
    EXPECT_EQ(app.CurrentScreenId(), kScreenMainMenu);
    // Start-up ran again inside the same program: the log goes on.
    EXPECT_EQ(ReadDebugLog().rfind("----DEBUG FILE----\n", 0), 0u);
    EXPECT_NE(ReadDebugLog().find("END DEBUG---\n----DEBUG FILE----\n"), std::string::npos);
    EXPECT_EQ(g_calls, (std::vector<std::string>{"deactivated", "activated", "key 28", "toggle", "devices", "content", "activate 0",
                                                 "music", "key 28"}));

    g_calls.clear();
    app.QuitGame();
    EXPECT_TRUE(app.IsQuitRequested());
    EXPECT_FALSE(IsLinkedMode());
    EXPECT_EQ(g_calls, (std::vector<std::string>{"save records", "reset manager", "release state", "release devices"}));
    app.SetServices(nullptr);
}

TEST(ScreenConfiguration, FitsTheDesktopAndForcesFullScreenWhenFilling) {
    TempDirectory dir;
    auto load = [&](const std::string& pref) {
        dir.Write("c.muf", "[pref]\n" + pref + "[config]\nIsWindowed=1\n");
        IniFile::ClearCache();
        return LoadScreenConfiguration("c.muf", 1280, 1024);
    };
    ScreenConfiguration c = load("SCREEN_WIDTH=0\nSCREEN_HEIGHT=768\n");
    EXPECT_EQ(c.width, 1280);
    EXPECT_EQ(c.height, 1024);
    EXPECT_EQ(IniFile::ReadInt("config", "IsWindowed", -1, "c.muf"), 0);

    c = load("SCREEN_WIDTH=1024\nSCREEN_HEIGHT=768\nColorDepth=16\n");
    EXPECT_EQ(c.width, 1024);
    EXPECT_EQ(c.depth, 16);
    EXPECT_FLOAT_EQ(c.interfaceScale, 1.0f);
    EXPECT_EQ(IniFile::ReadInt("config", "IsWindowed", -1, "c.muf"), 1);

    c = load("SCREEN_WIDTH=4000\nSCREEN_HEIGHT=2000\n");  // cut to the desktop, and so full screen
    EXPECT_EQ(c.width, 1280);
    EXPECT_EQ(c.height, 1024);
    EXPECT_FALSE(c.invalid);
    EXPECT_EQ(IniFile::ReadInt("config", "IsWindowed", -1, "c.muf"), 0);

    c = load("SCREEN_WIDTH=-5\nSCREEN_HEIGHT=600\n");
    EXPECT_TRUE(c.invalid);
    EXPECT_EQ(c.width, 800);
    EXPECT_EQ(c.height, 600);
    EXPECT_FLOAT_EQ(c.interfaceScale, 0.78125f);
}

TEST(CommandLine, AcceptsKnownOptionsAndNamesWhatIsWrong) {
    auto ok = ParseCommandLine({"--headless", "--seed", "123", "--frames", "0"});
    EXPECT_TRUE(ok.error.empty());
    EXPECT_TRUE(ok.options.headless);
    EXPECT_EQ(ok.options.seed.value_or(0), 123u);
    EXPECT_EQ(ok.options.frames, 0);
    EXPECT_EQ(ParseCommandLine({"--seed"}).error, "--seed needs a whole number");
    EXPECT_NE(ParseCommandLine({"--seed", "12x"}).error.find("'12x'"), std::string::npos);
    EXPECT_NE(ParseCommandLine({"--frames", "-1"}).error.find("'-1'"), std::string::npos);
    EXPECT_EQ(ParseCommandLine({"--fly"}).error, "unknown option '--fly'");
}
