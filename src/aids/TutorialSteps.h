// The steps of the guided tour, read from "data/tutorial.csv": where each
// step's window stands, which interface commands run before it is shown and
// the paragraph it shows. Only the reading lives here; the tour itself, which
// runs the commands and draws the window, is part of the interface.
#pragma once

#include <string>
#include <string_view>
#include <vector>

struct TutorialStep {
    // The window's top-left corner on the 1024 x 768 screen the tour was
    // written for.
    float x = 0.0f;
    float y = 0.0f;
    // Command names in the order they run; empty names are dropped.
    std::vector<std::string> commands;
    std::string text;
    int line = 0;  // in the file, for messages
};

class TutorialSteps {
public:
    static constexpr const char* kDefaultPath = "data/tutorial.csv";

    // Replaces the steps with those of the file, in file order. Record lines
    // begin with "#" (the author's label); blank lines and other lines are
    // comments. A file that cannot be read reports "Failed to load tutorial
    // file" and leaves no steps; false then.
    bool Load(std::string_view path = kDefaultPath);
    void Clear() { steps_.clear(); }

    // One record line: label, x, y, commands, text. An x or y that is not a
    // number is 0 (and reported); a text with unquoted commas keeps them.
    static TutorialStep ParseStep(std::string_view line, std::string_view path = {},
                                  int lineNumber = 0);
    // "A, B,,C" -> {"A", "B", "C"}: names split at commas, blanks trimmed.
    static std::vector<std::string> SplitCommands(std::string_view field);

    const std::vector<TutorialStep>& Steps() const { return steps_; }
    size_t Count() const { return steps_.size(); }
    bool IsEmpty() const { return steps_.empty(); }

private:
    std::vector<TutorialStep> steps_;
};
