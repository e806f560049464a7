// The saved game's last section: the state of the running game that the
// classic sections leave out (every neuron's exact value, history and links,
// every effect's lag, the poll histories, grudge ages and owners, and a few
// flags of the turn), so a game loaded at turn k plays on exactly as the
// unbroken game would. Loaders that do not know the section skip it; a file
// without it, or one whose data files have changed since, loads as before.
#pragma once

#include <string>
#include <utility>
#include <vector>

class SaveGameContinuation {
public:
    static constexpr const char* kHeader = "[continuation]";

    // The section's lines, without its header.
    static std::string Build();

    // Whether the lines are the whole section as written; if not, the line
    // at fault (the last one when it is cut short) and what is wrong. A
    // damaged section makes a damaged file: the reader refuses it.
    static bool Check(const std::vector<std::pair<int, std::string>>& lines, int* badLine,
                      std::string* problem);

    // Lays the section over a game the classic sections have just rebuilt.
    // Everything is checked first: when the rebuilt network is not the one
    // the section describes (other data files, a damaged section), nothing
    // changes, `problem` says why and the result is false.
    static bool Apply(const std::vector<std::pair<int, std::string>>& lines, std::string* problem);
};
