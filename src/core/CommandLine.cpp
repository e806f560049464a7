// Parsing of the command line.
#include "core/CommandLine.h"

#include <charconv>

namespace {

template <typename Number>
bool ParseWhole(const std::string& text, Number& out) {
    const char* end = text.data() + text.size();
    auto [ptr, ec] = std::from_chars(text.data(), end, out);
    return ec == std::errc() && ptr == end;
}

}  // namespace

CommandLineResult ParseCommandLine(const std::vector<std::string>& arguments) {
    CommandLineResult result;
    auto& o = result.options;
    for (size_t i = 0; i < arguments.size() && result.error.empty(); ++i) {
        const std::string& arg = arguments[i];
        auto value = [&](const char* what) -> const std::string* {
            if (i + 1 >= arguments.size()) {
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
        } else {
            result.error = "unknown option '" + arg + "'";
        }
    }
    return result;
}

std::string CommandLineUsage() {
    return "Usage: polity [options]\n"
           "  --headless      run without a window and print a summary\n"
           "  --seed S        seed the game's random numbers (default: from the clock)\n"
           "  --frames N      frames a headless run draws before it quits (default 3)\n"
           "  --version       print the version and exit\n"
           "  --help          print this help and exit\n"
           "Exit codes: 0 success, 1 the game or its data reported an error, 2 bad usage.\n";
}
