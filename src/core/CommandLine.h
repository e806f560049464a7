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
    int frames = 3;  // frames a headless run draws before it quits
};

struct CommandLineResult {
    CommandLineOptions options;
    std::string error;  // set when the words are off: the program exits with 2
};

CommandLineResult ParseCommandLine(const std::vector<std::string>& arguments);
std::string CommandLineUsage();
