// Suggested policies for the situation whose details are shown, looked up in
// the hand-written table "data/hints.csv". Only the look-up lives here; the
// situation details window lists the result.
#pragma once

#include <set>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "core/EnrolledManager.h"

class Neuron;

class Hints : public EnrolledManager {
public:
    static constexpr const char* kHintsPath = "data/hints.csv";

    static Hints& Instance();

    // Clears the list; for a situation, fills it from the first record that
    // names the situation's neuron, in the record's order. Names that match
    // no neuron are reported and skipped. Nothing given only clears.
    void LoadHints(const Neuron* situation, std::string_view path = kHintsPath);

    // The neurons of the suggested policies; the list does not own them.
    const std::vector<Neuron*>& Suggestions() const { return suggestions_; }

    // A new game deletes every neuron, so the list must not outlive them.
    void Reset() override;

private:
    Hints() = default;
    void AddSuggestions(const std::string& line, const std::string& path, int lineNumber,
                        const std::string& situation);
    // The hints are looked up each time a details window opens; each problem
    // is reported once a game rather than at every opening.
    bool IsFirstReport(const std::string& path, int lineNumber, int field);

    std::vector<Neuron*> suggestions_;
    std::set<std::pair<std::string, std::pair<int, int>>> reported_;
};
