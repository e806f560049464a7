// The program in a real X11 window: Xvfb is started for the test, the
// player's clicks come through xdotool, and the game's own screenshot key
// shows what the window drew. Skipped where Xvfb or xdotool is missing.
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

int CountInLog(const std::string& needle) {
    std::ifstream in("debugdata/debug.txt");
    std::stringstream text;
    text << in.rdbuf();
    int count = 0;
    for (size_t at = text.str().find(needle); at != std::string::npos;
         at = text.str().find(needle, at + 1))
        ++count;
    return count;
}

// Stops a child and returns its exit status (-1 when it did not exit normally).
int Stop(pid_t pid) {
    kill(pid, SIGTERM);
    int status = 0;
    waitpid(pid, &status, 0);
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

}  // namespace

TEST(RealWindow, ProgramOpensAWindowTakesClicksAndShowsTheGame) {
    if (!OnPath("Xvfb") || !OnPath("xdotool")) GTEST_SKIP() << "Xvfb or xdotool is not installed";
    TempDirectory folder;
    CopyShippedData();
    int number = 90 + int(getpid() % 100);
    while (std::filesystem::exists("/tmp/.X11-unix/X" + std::to_string(number))) ++number;
    const std::string display = ":" + std::to_string(number);
    const std::vector<std::string> env = ChildEnvironment(display);

    const pid_t xvfb =
        Spawn({"Xvfb", display, "-screen", "0", "1280x1024x24", "-nolisten", "tcp"}, env);
    ASSERT_GT(xvfb, 0);
    // The socket appears before the server answers; a game started in between
    // finds no display and never opens its window.
    const bool serverUp = WaitFor([&] {
        return std::filesystem::exists("/tmp/.X11-unix/X" + std::to_string(number)) &&
               !RunX(display, "xdotool getdisplaygeometry").empty();
    });
    pid_t game = -1;
    if (serverUp) game = Spawn({POLITY_EXECUTABLE, "--size", "1024x768", "--seed", "5"}, env);
    std::string window;
    if (game > 0)
        WaitFor([&] {
            window = RunX(display, "xdotool search --name '^Polity$'");
            return !window.empty();
        }, 60000);
    if (window.empty()) {
        if (game > 0) Stop(game);
        Stop(xvfb);
        FAIL() << "no window appeared on " << display;
    }
    window = window.substr(0, window.find('\n'));
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
