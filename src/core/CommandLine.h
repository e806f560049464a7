// The program's command-line options.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

struct CommandLineOptions {
    bool headless = false;
    bool help = false;
    bool version = false;
    std::optional<std::uint32_t> seed;
    // Frames the bare application runs without a game (a start-up check).
    std::optional<int> frames;
    std::string mission;       // "1" or a mission name such as "tutorial"
    std::optional<int> turns;  // default: to the end of the first term
    bool json = false;
    std::string actions;       // a player-input script to follow
    std::string replay;        // a script the game recorded ("data/script.mil") to play back
    std::string load;          // a saved game to play on from
    std::string save;          // where to save the game when a headless run ends
    std::string screenshot;  // draw the engine's test card into this PNG and exit
    // Fetch new data files from the update server (optionally named here) and exit.
    bool update = false;
    std::string updateServer;
    int screenshotWidth = 1024;
    int screenshotHeight = 768;
    bool sizeGiven = false;  // --size also sizes the window, for this run only
    // Open the window even where no display is announced (SDL_VIDEODRIVER=offscreen).
    bool windowed = false;
    // Where the game's data is read and the player's files are written;
    // empty: the defaults of a source tree or of an installed game.
    std::string dataFolder;
    std::string userFolder;
    // Load and check every data file, list the problems and exit.
    bool checkData = false;
    // Play seeded games with the built-in strategies and write a report
    // (--mission and --turns narrow it; default 40 turns of every mission).
    bool balance = false;
    int balanceGames = 30;  // per country, shared out among the strategies
    int balanceJobs = 1;    // worker processes
    std::string balanceOut = "balance";
};

struct CommandLineResult {
    CommandLineOptions options;
    std::string error;  // set when the words are off: the program exits with 2
};

CommandLineResult ParseCommandLine(const std::vector<std::string>& arguments);
std::string CommandLineUsage();
