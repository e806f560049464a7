// Reading a saved game's text into a SavedGame. Values are positional: within
// a section each line's value is taken in the written order and the keys are
// not compared, so the reader and the writer must agree line for line.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "world/SavedGame.h"

class SaveGameReader {
public:
    // More lines than this is not a save the game wrote.
    static constexpr int kMaxLines = 200000;

    // Nothing when the text is not a whole saved game (garbage, cut short,
    // too long); the problem has then been reported with file and line.
    static std::optional<SavedGame> Parse(std::string_view path, std::string_view text);

private:
    SaveGameReader(std::string_view path, std::string_view text);
    bool Read(SavedGame& game);
    bool CheckShape(std::string_view text);

    // Moves past the next line that is exactly `header`; false (and the
    // position kept) when no later line is, so a missing section leaves the
    // sections after it readable.
    bool FindHeader(std::string_view header);
    // Whether the next header line, after any plain lines, is `header`; if so
    // moves past it. Any other header ends a run of records.
    bool NextRecord(std::string_view header);
    // The value of the next line of a record; a record cut short by a header
    // or the end of the file fails the whole read.
    bool NextValue(std::string_view key, std::string& value);
    // Numbers the game cannot have written (not finite, or a whole number
    // outside its range) fail the read: one NaN would spread through the
    // network, a year near the integer limit overflows the calendar.
    bool NextFloat(std::string_view key, float& value);
    bool NextInt(std::string_view key, int& value);
    bool NextInt(std::string_view key, int& value, int lowest, int highest);
    bool NextNeuron(SavedNeuron& neuron, bool withHistory);
    // The plain lines up to the next header, with their line numbers.
    std::vector<std::pair<int, std::string>> LinesToNextHeader();

    int LineNumber() const { return static_cast<int>(cursor_) + 1; }
    bool Fail(int line, std::string_view key, std::string_view problem);

    std::string path_;
    std::vector<std::string_view> lines_;
    size_t cursor_ = 0;
    std::string record_;  // the record being read, for messages
};
