// What every fuzz entry shares: a process without dialogs, fatal data errors
// that end one input instead of the program, and input files written into
// the working folder.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace fuzz {

// Thrown by the fatal-error hook: the game reported data it cannot run
// with, which for a parser of outside input is a proper answer, not a fault.
struct FatalDataError {
    std::string text;
};

// Once per process: headless, no log file, fatal errors become FatalDataError.
void PrepareProcess();

// Runs one input's work, absorbing a fatal data error.
template <typename Work>
void Guarded(Work&& work) {
    PrepareProcess();
    try {
        work();
    } catch (const FatalDataError&) {
    }
}

// Empties the simulation network and every manager, as shutting down does,
// so no input leaves neurons behind for the next one or for the leak check.
void ClearGameState();

// Writes the bytes as they are (creating the folders), and forgets the
// parsed initialisation files, whose cache would otherwise keep an earlier
// input of the same size and time.
void WriteInputFile(const std::string& path, std::string_view bytes);

// The input cut at each zero byte into at least `count` parts (missing ones
// are empty; the last part keeps any further zero bytes).
std::vector<std::string_view> SplitInput(std::string_view input, size_t count);

// A number in 0..1 from up to four bytes of text, for fractions the input
// chooses.
float FractionFrom(std::string_view bytes);

}  // namespace fuzz
