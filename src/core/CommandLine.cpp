// Parsing of the command line.
#include "core/CommandLine.h"

#include <algorithm>
#include <charconv>
#include <string_view>

namespace {

template <typename Number>
bool ParseWhole(const std::string& text, Number& out) {
    const char* end = text.data() + text.size();
    auto [ptr, ec] = std::from_chars(text.data(), end, out);
    return ec == std::errc() && ptr == end;
}

// What each kind of run does with the options it is given; anything else
// given with it would be quietly ignored, so it is refused instead, naming both.
// The folders, --help and --version go with every run.
struct RunKind {
    const char* option;
    std::vector<std::string_view> takes;
};

// A game played from the command line: scripted, so without a window.
const std::vector<std::string_view> kGameOptions = {
    "--seed", "--mission", "--turns", "--actions", "--replay", "--load", "--save", "--json"};

std::string ClashWith(const std::vector<std::string>& given, const std::string& kind,
                      const std::vector<std::string_view>& takes) {
    for (const std::string& option : given) {
        if (option == kind || option == "--data" || option == "--user-dir" || option == "--help" ||
            option == "--version")
            continue;
        if (std::find(takes.begin(), takes.end(), option) == takes.end())
            return option + " does not go with " + kind;
    }
    return {};
}

std::string CheckCombination(const CommandLineOptions& o, const std::vector<std::string>& given) {
    // A run that opens no window may still be told --headless.
    const RunKind kinds[] = {
        {"--update", {"--server", "--headless"}},
        {"--screenshot", {"--size", "--headless"}},
        {"--check-data", {"--headless"}},
        {"--balance", {"--mission", "--turns", "--games", "--jobs", "--out", "--seed", "--headless"}},
        {"--frames", {"--size", "--windowed", "--headless", "--seed"}},
        {"--headless", kGameOptions},
    };
    const bool chosen[] = {o.update, !o.screenshot.empty(), o.checkData, o.balance,
                           o.frames.has_value(), o.headless};
    for (size_t k = 0; k < std::size(kinds); ++k)
        if (chosen[k]) return ClashWith(given, kinds[k].option, kinds[k].takes);
    // A scripted game plays without a window, so the window's options clash with it.
    for (const std::string& option : given)
        if (option != "--seed" &&
            std::find(kGameOptions.begin(), kGameOptions.end(), option) != kGameOptions.end())
            return ClashWith(given, option, kGameOptions);
    return {};
}

}  // namespace

CommandLineResult ParseCommandLine(const std::vector<std::string>& arguments) {
    CommandLineResult result;
    auto& o = result.options;
    bool balanceWords = false;  // options that only --balance takes
    std::vector<std::string> given;  // the options, without their values
    for (size_t i = 0; i < arguments.size() && result.error.empty(); ++i) {
        const std::string& arg = arguments[i];
        given.push_back(arg == "-h" ? "--help" : arg);
        auto value = [&](const char* what) -> const std::string* {
            // "--load --turns 3" lacks the file: an option is never taken as a value.
            if (i + 1 >= arguments.size() || arguments[i + 1].rfind("--", 0) == 0) {
                result.error = arg + " needs " + what;
                return nullptr;
            }
            return &arguments[++i];
        };
        if (arg == "--headless") {
            o.headless = true;
        } else if (arg == "--help" || arg == "-h") {
            o.help = true;
        } else if (arg == "--version") {
            o.version = true;
        } else if (arg == "--seed") {
            std::uint32_t seed = 0;
            if (const std::string* v = value("a whole number")) {
                if (!ParseWhole(*v, seed)) result.error = "--seed needs a whole number from 0 to 4294967295, not '" + *v + "'";
                else o.seed = seed;
            }
        } else if (arg == "--frames") {
            int frames = 0;
            if (const std::string* v = value("a whole number")) {
                if (!ParseWhole(*v, frames) || frames < 0) result.error = "--frames needs a whole number of 0 or more, not '" + *v + "'";
                else o.frames = frames;
            }
        } else if (arg == "--mission") {
            if (const std::string* v = value("a mission number or name")) {
                if (v->empty()) result.error = "--mission needs a mission number or name";
                else o.mission = *v;
            }
        } else if (arg == "--turns") {
            int turns = 0;
            if (const std::string* v = value("a whole number")) {
                if (!ParseWhole(*v, turns) || turns < 1) result.error = "--turns needs a whole number of 1 or more, not '" + *v + "'";
                else o.turns = turns;
            }
        } else if (arg == "--json") {
            o.json = true;
        } else if (arg == "--actions") {
            if (const std::string* v = value("a file name")) o.actions = *v;
        } else if (arg == "--replay") {
            if (const std::string* v = value("a file name")) o.replay = *v;
        } else if (arg == "--load") {
            if (const std::string* v = value("a file name")) o.load = *v;
        } else if (arg == "--save") {
            if (const std::string* v = value("a file name")) o.save = *v;
        } else if (arg == "--screenshot") {
            if (const std::string* v = value("a file name")) o.screenshot = *v;
        } else if (arg == "--update") {
            o.update = true;
        } else if (arg == "--server") {
            if (const std::string* v = value("an address")) o.updateServer = *v;
        } else if (arg == "--windowed") {
            o.windowed = true;
        } else if (arg == "--data" || arg == "--user-dir") {
            if (const std::string* v = value("a folder")) {
                if (v->empty()) result.error = arg + " needs a folder";
                else (arg == "--data" ? o.dataFolder : o.userFolder) = *v;
            }
        } else if (arg == "--check-data") {
            o.checkData = true;
        } else if (arg == "--balance") {
            o.balance = true;
        } else if (arg == "--games" || arg == "--jobs") {
            balanceWords = true;
            int count = 0;
            if (const std::string* v = value("a whole number")) {
                if (!ParseWhole(*v, count) || count < 1 || count > 1000000) {
                    result.error = arg + " needs a whole number of 1 or more, not '" + *v + "'";
                } else {
                    (arg == "--games" ? o.balanceGames : o.balanceJobs) = count;
                }
            }
        } else if (arg == "--out") {
            balanceWords = true;
            if (const std::string* v = value("a folder")) o.balanceOut = *v;
        } else if (arg == "--size") {
            if (const std::string* v = value("WIDTHxHEIGHT")) {
                const size_t x = v->find('x');
                int w = 0, h = 0;
                if (x == std::string::npos || !ParseWhole(v->substr(0, x), w) || !ParseWhole(v->substr(x + 1), h) ||
                    w < 320 || h < 240 || w > 8192 || h > 8192) {
                    result.error = "--size needs WIDTHxHEIGHT from 320x240 to 8192x8192, not '" + *v + "'";
                } else {
                    o.screenshotWidth = w;
                    o.screenshotHeight = h;
                    o.sizeGiven = true;
                }
            }
        } else {
            result.error = "unknown option '" + arg + "'";
        }
    }
    if (result.error.empty() && !o.updateServer.empty() && !o.update) {
        result.error = "--server is for --update";
    }
    if (result.error.empty() && balanceWords && !o.balance) {
        result.error = "--games, --jobs and --out are for --balance";
    }
    if (result.error.empty() && !o.actions.empty() && !o.replay.empty()) {
        result.error = "--actions and --replay both name a script; give one";
    }
    if (result.error.empty() && !o.load.empty() && !o.mission.empty()) {
        result.error = "--load plays on the saved game's own mission; --mission is for a new game";
    }
    const int modes = int(o.update) + int(!o.screenshot.empty()) + int(o.checkData) + int(o.balance);
    if (result.error.empty() && modes > 1) {
        result.error = "give only one of --update, --screenshot, --check-data and --balance";
    }
    if (result.error.empty()) result.error = CheckCombination(o, given);
    return result;
}

std::string CommandLineUsage() {
    return "Usage: polity [options]\n"
           "  --data DIR      the game's data folder, or the folder holding it (default:\n"
           "                  data in the working folder, or the installed game's data)\n"
           "  --user-dir DIR  folder for saves, options, achievements, logs and\n"
           "                  screenshots, which keeps the game's layout (DIR/data/savegames,\n"
           "                  DIR/debugdata/debug.txt); files under DIR/data are read before\n"
           "                  the data folder's (default: the working folder, or\n"
           "                  $XDG_DATA_HOME/polity for an installed game)\n"
           "  --headless      run without a window and print a summary\n"
           "  --seed S        seed the game's random numbers (default: from the clock)\n"
           "  --mission M     the mission to play headless: a number or a name (default 1)\n"
           "  --turns N       turns to play (default: to the end of the first term)\n"
           "  --actions F     follow the player's actions in F (NEWPOLICY, CANCELPOLICY,\n"
           "                  ADJSLIDER and NEXTTURN lines, as the game records them)\n"
           "  --replay F      play back a script the game recorded (data/script.mil) from\n"
           "                  its start; with the same --seed it replays the same game\n"
           "  --load F        play on from the saved game F (a .dedu file) instead of a\n"
           "                  new game, exactly as the saved game would have gone on;\n"
           "                  --turns and the actions still count from its first turn\n"
           "  --save F        save the game to F when the headless run ends (written\n"
           "                  whole or not at all)\n"
           "  --json          print each turn as a line of JSON\n"
           "  --frames N      only start the program, run N frames without a game, and quit\n"
           "  --screenshot F  draw the engine's test card into the PNG file F and exit\n"
           "  --size WxH      size of the screenshot (default 1024x768) or of the window\n"
           "  --update        fetch new data files from the update server into the user\n"
           "                  folder, showing progress, list them and exit\n"
           "  --server URL    the update server for --update (default: updateserver in\n"
           "                  section [setup] of data/data.ini)\n"
           "  --windowed      open the game's window even where no display is announced\n"
           "  --check-data    load every data file, list each problem with its file and\n"
           "                  line, and exit (1 when a problem was found)\n"
           "  --balance       play seeded games with the built-in players idle, random and\n"
           "                  greedy and write balance.html and balance.csv to the --out\n"
           "                  folder; --mission and --turns (default 40) narrow it\n"
           "  --games N       games per country for --balance, shared out among the\n"
           "                  players (default 30)\n"
           "  --jobs J        worker processes for --balance (default 1)\n"
           "  --out DIR       folder for the --balance report (default balance)\n"
           "  --version       print the version and exit\n"
           "  --help          print this help and exit\n"
           "Files named on the command line are taken from the working folder.\n"
           "Errors go to standard error, one line each, and to the debug log.\n"
           "Exit codes: 0 success; 1 the game, its data or a file it was given reported an\n"
           "error; 2 bad usage (an unknown option, a missing or malformed value, options\n"
           "that do not go together).\n";
}
