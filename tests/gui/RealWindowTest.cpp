// The program in a real X11 window: Xvfb is started for the test, the
// player's clicks and keys come through xdotool, the game's own screenshot
// key shows what the window drew, and the X server says what the player sees
// (the pointer, the screen's pixels). Skipped only where Xvfb is missing.
#include <gtest/gtest.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

#include "platform/ImageFiles.h"
#include "support/GuiDriver.h"
#include "support/ImageCompare.h"
#include "support/TempDirectory.h"
#include "support/XView.h"

extern char** environ;

namespace {

bool OnPath(const std::string& program) {
    return std::system(("command -v " + program + " >/dev/null 2>&1").c_str()) == 0;
}

// The environment of this process, with SDL left to find the X display.
std::vector<std::string> ChildEnvironment(const std::string& display) {
    std::vector<std::string> env;
    for (char** entry = environ; *entry; ++entry) {
        const std::string text(*entry);
        if (text.rfind("DISPLAY=", 0) == 0 || text.rfind("SDL_VIDEODRIVER=", 0) == 0 ||
            text.rfind("SDL_AUDIODRIVER=", 0) == 0 ||
            text.rfind("WAYLAND_DISPLAY=", 0) == 0 || text.rfind("ASAN_OPTIONS=", 0) == 0)
            continue;
        env.push_back(text);
    }
    env.push_back("DISPLAY=" + display);
    // X11 only: should the X server not take the game, SDL would otherwise
    // quietly pick a driver without a window, and the test wait for nothing.
    env.push_back("SDL_VIDEODRIVER=x11");
    // X11 and the GL drivers keep allocations to the end of the process; the
    // program's own leaks are checked by the offscreen tests instead.
    env.push_back("ASAN_OPTIONS=detect_leaks=0");
    // No sound card here, and looking for a sound server without a session
    // can take longer than the test waits for the window.
    env.push_back("SDL_AUDIODRIVER=dummy");
    return env;
}

pid_t Spawn(const std::vector<std::string>& arguments, const std::vector<std::string>& env) {
    std::vector<char*> argv, envp;
    for (const std::string& a : arguments) argv.push_back(const_cast<char*>(a.c_str()));
    argv.push_back(nullptr);
    for (const std::string& e : env) envp.push_back(const_cast<char*>(e.c_str()));
    envp.push_back(nullptr);
    pid_t pid = -1;
    if (posix_spawnp(&pid, argv[0], nullptr, nullptr, argv.data(), envp.data()) != 0) return -1;
    return pid;
}

// Output of a shell command run with the display set.
std::string RunX(const std::string& display, const std::string& command) {
    const std::string full = "DISPLAY=" + display + " " + command + " 2>/dev/null";
    std::string output;
    if (FILE* pipe = popen(full.c_str(), "r")) {
        char buffer[256];
        while (std::fgets(buffer, sizeof buffer, pipe)) output += buffer;
        pclose(pipe);
    }
    return output;
}

// Polls for a condition; the limit only guards against a hung program.
template <typename Condition>
bool WaitFor(Condition condition, int limitMilliseconds = 20000) {
    for (int waited = 0; waited < limitMilliseconds; waited += 50) {
        if (condition()) return true;
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
    }
    return condition();
}

int CountInFile(const char* path, const std::string& needle) {
    std::ifstream in(path);
    std::stringstream text;
    text << in.rdbuf();
    int count = 0;
    for (size_t at = text.str().find(needle); at != std::string::npos;
         at = text.str().find(needle, at + 1))
        ++count;
    return count;
}

int CountInLog(const std::string& needle) { return CountInFile("debugdata/debug.txt", needle); }
int CountInEngineLog(const std::string& needle) {
    return CountInFile("debugdata/drawdebug.txt", needle);
}

// Stops a child and returns its exit status (-1 when it did not exit normally).
int Stop(pid_t pid) {
    kill(pid, SIGTERM);
    int status = 0;
    waitpid(pid, &status, 0);
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

// The last lines of a log, for a failure message.
std::string LogTail(const char* path, size_t lines = 8) {
    std::ifstream in(path);
    std::vector<std::string> kept;
    for (std::string line; std::getline(in, line);) {
        kept.push_back(line);
        if (kept.size() > lines) kept.erase(kept.begin());
    }
    std::string text;
    for (const std::string& line : kept) text += "\n    " + line;
    return text.empty() ? std::string(" (empty or missing)") : text;
}

// Whether the game still runs, and what it logged: why no window appeared.
std::string GameState(pid_t pid) {
    std::string state = "the game did not start";
    if (pid > 0) {
        int status = 0;
        const pid_t done = waitpid(pid, &status, WNOHANG);
        state = done == 0                ? "the game still runs"
                : done < 0               ? "the game is gone"
                : WIFEXITED(status)      ? "the game exited with " +
                                          std::to_string(WEXITSTATUS(status))
                : WIFSIGNALED(status)    ? "the game died of signal " +
                                             std::to_string(WTERMSIG(status))
                                         : "the game stopped";
    }
    return state + "; debugdata/debug.txt ends:" + LogTail("debugdata/debug.txt") +
           "\n  debugdata/drawdebug.txt ends:" + LogTail("debugdata/drawdebug.txt");
}

// Whether the child has ended, without waiting for it.
bool Ended(pid_t pid) {
    if (pid <= 0) return true;
    siginfo_t info{};
    return waitid(P_PID, id_t(pid), &info, WEXITED | WNOHANG | WNOWAIT) != 0 || info.si_pid != 0;
}

// A display number no other X server here uses.
std::string FreeDisplay(int first) {
    int number = first + int(getpid() % 100);
    while (std::filesystem::exists("/tmp/.X11-unix/X" + std::to_string(number))) ++number;
    return ":" + std::to_string(number);
}

// Starts Xvfb with one screen of the size; -1 when it does not answer.
pid_t StartXvfb(const std::string& display, const std::string& size,
                const std::vector<std::string>& env) {
    const pid_t xvfb =
        Spawn({"Xvfb", display, "-screen", "0", size + "x24", "-nolisten", "tcp"}, env);
    if (xvfb <= 0) return -1;
    // The socket appears before the server answers; a game started in between
    // finds no display and never opens its window.
    const bool up = WaitFor([&] {
        return std::filesystem::exists("/tmp/.X11-unix/X" + display.substr(1)) &&
               !RunX(display, "xdotool getdisplaygeometry").empty();
    });
    if (!up) {
        Stop(xvfb);
        return -1;
    }
    return xvfb;
}

// The game's window id on the display, or empty.
std::string GameWindow(const std::string& display) {
    std::string window = RunX(display, "xdotool search --onlyvisible --name '^Polity$'");
    return window.substr(0, window.find('\n'));
}

// Starts the game and waits for its window; a game that ends without one is
// started once more, since an X server under load may turn a client away.
// The game's pid, or -1 with `failure` saying why.
pid_t StartGame(const std::string& display, const std::vector<std::string>& env,
                const std::string& size, std::string* window, std::string* failure) {
    for (int attempt = 1; attempt <= 2; ++attempt) {
        const pid_t game = Spawn({POLITY_EXECUTABLE, "--size", size, "--seed", "5"}, env);
        WaitFor([&] { return !(*window = GameWindow(display)).empty() || Ended(game); }, 90000);
        if (!window->empty()) return game;
        *failure += "\n  attempt " + std::to_string(attempt) + ": " + GameState(game);
        if (game > 0 && !Ended(game)) {
            kill(game, SIGKILL);
            waitpid(game, nullptr, 0);
        } else if (game > 0) {
            waitpid(game, nullptr, 0);
        }
    }
    return -1;
}

// "WIDTHxHEIGHT" of a window as the X server has it.
std::string WindowSize(const std::string& display, const std::string& window) {
    const std::string shell = RunX(display, "xdotool getwindowgeometry --shell " + window);
    const auto value = [&](const std::string& key) {
        const size_t at = shell.find(key + "=");
        return at == std::string::npos ? std::string()
                                        : shell.substr(at + key.size() + 1,
                                                       shell.find('\n', at) - at - key.size() - 1);
    };
    return value("WIDTH") + "x" + value("HEIGHT");
}

}  // namespace

TEST(RealWindow, ProgramOpensAWindowTakesClicksAndShowsTheGame) {
    if (!OnPath("Xvfb")) GTEST_SKIP() << "Xvfb is not installed (tools/install-deps.sh)";
    ASSERT_TRUE(OnPath("xdotool")) << "xdotool comes with tools/install-deps.sh";
    TempDirectory folder;
    CopyShippedData();
    const std::string display = FreeDisplay(90);
    const std::vector<std::string> env = ChildEnvironment(display);
    const pid_t xvfb = StartXvfb(display, "1280x1024", env);
    ASSERT_GT(xvfb, 0) << "Xvfb did not answer on " << display;
    std::string window, failure;
    const pid_t game = StartGame(display, env, "1024x768", &window, &failure);
    if (game <= 0) {
        Stop(xvfb);
        FAIL() << "no window appeared on " << display << ":" << failure;
    }
    const auto click = [&](int x, int y) {
        RunX(display, "xdotool mousemove --window " + window + " " + std::to_string(x) + " " +
                          std::to_string(y) + " sleep 0.2 click 1");
    };

    // Each click is repeated until the game shows it arrived: a click sent
    // before the window has seen the pointer move lands where it last was.
    const auto clickUntil = [&](int x, int y, const auto& arrived) {
        // Each wait is longer than the last: on a busy machine a game start
        // can take many seconds, and clicking again meanwhile only queues up.
        for (int attempt = 1; attempt <= 12; ++attempt) {
            click(x, y);
            if (WaitFor(arrived, 1000 * attempt)) return true;
        }
        return false;
    };
    const std::string shown = "main game screen shown";
    // "New Game", first of the four menu buttons along the bottom at 1024 x 768,
    // then the first country of the list and the start button under its briefing.
    const bool listed =
        clickUntil(142 + 88, 648 + 20, [] { return CountInLog("mission selection shown") >= 1; });
    const bool briefed =
        listed && clickUntil(190, 112, [] { return CountInLog("briefing shown") >= 1; });
    const bool started = briefed && clickUntil(830, 644, [&] { return CountInLog(shown) >= 1; });
    // The next-turn badge, last of the seven along the bottom; the turn ends
    // on the loading screen, and a click there returns to the game.
    const bool turned = clickUntil(337 + 6 * 50 + 25, 698 + 25,
                                   [] { return CountInLog("Processing new turn") >= 2; });
    const bool back = clickUntil(512, 300, [&] { return CountInLog(shown) >= 2; });
    // The game's screenshot key, with the pointer resting over the window.
    RunX(display, "xdotool mousemove --window " + window + " 900 300 sleep 0.2 key F12");
    const bool shot = WaitFor([] { return CountInLog("screenshot written") >= 1; });
    const int gameExit = Stop(game);
    Stop(xvfb);

    EXPECT_TRUE(started);
    EXPECT_TRUE(turned);
    EXPECT_TRUE(back);
    ASSERT_TRUE(shot);
    const platform::Image frame = platform::ReadPng("debugdata/screenshot1.png");
    ASSERT_EQ(frame.width, 1024);
    ASSERT_EQ(frame.height, 768);
    EXPECT_TRUE(PixelNear(frame, 260, 759, 0x531010));   // the timeline: a month has passed
    EXPECT_TRUE(PixelNear(frame, 1020, 766, 0x2E3A4B));  // the slate backdrop
    if (const char* dir = std::getenv("POLITY_SCREENSHOT_DIR"); dir && *dir)
        std::filesystem::copy_file("debugdata/screenshot1.png",
                                   std::string(dir) + "/real_window_1024x768.png",
                                   std::filesystem::copy_options::overwrite_existing);
    EXPECT_EQ(gameExit, 0);  // SIGTERM is a close request: a clean shutdown
}

TEST(RealWindow, FullScreenFillsTheDesktopAndOnlyTheGamesPointerShows) {
    if (!OnPath("Xvfb")) GTEST_SKIP() << "Xvfb is not installed (tools/install-deps.sh)";
    ASSERT_TRUE(OnPath("xdotool") && OnPath("openbox"))
        << "xdotool and openbox come with tools/install-deps.sh";
    TempDirectory folder;
    CopyShippedData();
    const std::string display = FreeDisplay(190);
    const std::vector<std::string> env = ChildEnvironment(display);
    const pid_t xvfb = StartXvfb(display, "1920x1080", env);
    ASSERT_GT(xvfb, 0) << "Xvfb did not answer on " << display;
    const pid_t manager = Spawn({"openbox", "--sm-disable"}, env);
    XView x(display);
    const bool connected = x.IsOpen();
    const bool managed = connected && WaitFor([&] { return x.WindowManagerRunning(); });
    // Over the bare desktop the system pointer shows: the check below can see one.
    RunX(display, "xdotool mousemove 5 5");
    const bool desktopPointer = managed && WaitFor([&] { return x.PointerVisible(); }, 5000);

    std::string window, noWindow;
    const pid_t game = StartGame(display, env, "1280x720", &window, &noWindow);
    const std::string windowedSize = WindowSize(display, window);
    // Over the window only the game's own pointer is drawn; beside it, the desktop's shows.
    RunX(display, "xdotool mousemove --window " + window + " 640 360");
    const bool hiddenInWindow = WaitFor([&] { return !x.PointerVisible(); }, 5000);
    RunX(display, "xdotool mousemove 1910 1070");
    const bool shownBeside = WaitFor([&] { return x.PointerVisible(); }, 5000);

    // Alt+Return: full screen at the desktop's size, drawn to its far corner.
    // Keys go where the focus is, so the window is given it first, and the
    // key is sent again until the engine's log shows the switch began.
    // Any switch counts as the key's arrival: on a busy machine the first
    // press may be logged late, and a second one would switch straight back.
    const auto switches = [] {
        return CountInEngineLog("Attempting fullscreen mode") +
               CountInEngineLog("Attempting windowed mode");
    };
    const auto pressUntil = [&](const std::string& target, const std::string& keys) {
        const int before = switches();
        for (int attempt = 1; attempt <= 8; ++attempt) {
            RunX(display, "xdotool windowactivate --sync " + target + " mousemove --window " +
                              target + " 640 360 sleep 0.3 key " + keys);
            if (WaitFor([&] { return switches() > before; }, 2000 * attempt)) return true;
        }
        return false;
    };
    pressUntil(window, "alt+Return");
    std::string fullSize;
    std::uint32_t corners[3] = {};
    const bool filled = WaitFor([&] {
        const std::string full = GameWindow(display);
        fullSize = full.empty() ? "no window" : WindowSize(display, full);
        corners[0] = x.ScreenPixel(1915, 1075);
        corners[1] = x.ScreenPixel(5, 1075);
        corners[2] = x.ScreenPixel(1915, 5);
        return fullSize == "1920x1080" && corners[0] != 0 && corners[1] != 0 && corners[2] != 0;
    });
    RunX(display, "xdotool windowactivate --sync " + GameWindow(display) +
                      " mousemove 960 540 sleep 0.3 key F12");
    const bool fullShot = WaitFor([] { return CountInLog("screenshot written") >= 1; });
    const bool hiddenInFull = WaitFor([&] { return !x.PointerVisible(); }, 5000);

    // And back: the window as it was.
    pressUntil(GameWindow(display), "alt+Return");
    std::string again, againSize;
    const bool restored = WaitFor([&] {
        again = GameWindow(display);
        againSize = again.empty() ? "no window" : WindowSize(display, again);
        return againSize == "1280x720";
    });
    RunX(display, "xdotool windowactivate --sync " + again + " mousemove --window " + again +
                      " 640 360 sleep 0.3 key F12");
    const bool windowShot = WaitFor([] { return CountInLog("screenshot written") >= 2; });
    const std::string engineLog = LogTail("debugdata/drawdebug.txt", 30);
    const int gameExit = game > 0 ? Stop(game) : -1;
    x.Close();
    if (manager > 0) Stop(manager);
    Stop(xvfb);

    ASSERT_TRUE(managed) << "openbox did not start on " << display
                         << (connected ? "" : " (no X connection)");
    EXPECT_TRUE(desktopPointer);
    ASSERT_FALSE(window.empty()) << "no window appeared on " << display << ":" << noWindow;
    EXPECT_EQ(windowedSize, "1280x720");
    EXPECT_TRUE(hiddenInWindow) << "the system pointer shows over the game's window";
    EXPECT_TRUE(shownBeside);
    EXPECT_TRUE(filled) << "full screen is " << fullSize << ", corners " << std::hex << corners[0]
                        << " " << corners[1] << " " << corners[2] << " (black is 0)";
    EXPECT_TRUE(hiddenInFull) << "the system pointer shows over the full screen";
    EXPECT_TRUE(restored) << "the window is " << againSize
                          << " after switching back; the engine logged:" << engineLog;
    ASSERT_TRUE(fullShot && windowShot);
    const platform::Image fullFrame = platform::ReadPng("debugdata/screenshot1.png");
    EXPECT_EQ(fullFrame.width, 1920);
    EXPECT_EQ(fullFrame.height, 1080);
    const platform::Image windowFrame = platform::ReadPng("debugdata/screenshot2.png");
    EXPECT_EQ(windowFrame.width, 1280);
    EXPECT_EQ(windowFrame.height, 720);
    if (const char* dir = std::getenv("POLITY_SCREENSHOT_DIR"); dir && *dir)
        std::filesystem::copy_file("debugdata/screenshot1.png",
                                   std::string(dir) + "/real_window_full_screen_1920x1080.png",
                                   std::filesystem::copy_options::overwrite_existing);
    EXPECT_EQ(gameExit, 0);
}

// The number of frames the engine showed in the run, from its log at shutdown.
static long FramesShown() {
    std::ifstream in("debugdata/drawdebug.txt");
    std::string line;
    long frames = -1;
    const std::string key = "Frames shown = ";
    while (std::getline(in, line))
        if (line.rfind(key, 0) == 0) frames = std::stol(line.substr(key.size()));
    return frames;
}

TEST(RealWindow, AMenuLeftAloneIsDrawnRarely) {
    if (!OnPath("Xvfb")) GTEST_SKIP() << "Xvfb is not installed (tools/install-deps.sh)";
    ASSERT_TRUE(OnPath("xdotool")) << "xdotool comes with tools/install-deps.sh";
    TempDirectory folder;
    CopyShippedData();
    const std::string display = FreeDisplay(290);
    const std::vector<std::string> env = ChildEnvironment(display);
    const pid_t xvfb = StartXvfb(display, "1280x1024", env);
    ASSERT_GT(xvfb, 0) << "Xvfb did not answer on " << display;
    std::string window, noWindow;
    const pid_t game = StartGame(display, env, "1024x768", &window, &noWindow);
    const bool shown = game > 0;
    // Nobody touches it: the main menu stands still for eight seconds.
    std::this_thread::sleep_for(std::chrono::seconds(8));
    const int gameExit = game > 0 ? Stop(game) : -1;
    Stop(xvfb);

    ASSERT_TRUE(shown) << "no window appeared on " << display << ":" << noWindow;
    EXPECT_EQ(gameExit, 0);
    const long frames = FramesShown();
    ASSERT_GE(frames, 1) << "the engine's log has no frame count";
    // A second at the display's rate while the menu settles, then none: a
    // still picture is only worked out now and then, not shown again.
    // Drawing as fast as it can, a menu shows hundreds a second.
    EXPECT_LE(frames, 150) << frames << " frames in about eight idle seconds";
}
