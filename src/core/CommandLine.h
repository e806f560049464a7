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
    std::string screenshot;  // draw the engine's test card into this PNG and exit
    int screenshotWidth = 1024;
    int screenshotHeight = 768;
};

struct CommandLineResult {
    CommandLineOptions options;
    std::string error;  // set when the words are off: the program exits with 2
};

CommandLineResult ParseCommandLine(const std::vector<std::string>& arguments);
std::string CommandLineUsage();
