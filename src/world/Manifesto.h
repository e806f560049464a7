// The manifesto: pledges chosen before an election, in force the term after, checked each turn.
#pragma once

#include <cstddef>
#include <deque>
#include <string>
#include <string_view>
#include <vector>

#include "core/EnrolledManager.h"
#include "world/ManifestoOption.h"
#include "world/ManifestoPledge.h"

class Manifesto : public EnrolledManager {
public:
    enum class Term { Live, Next };

    static Manifesto& Instance();

    // Program start: replaces every option with the file's. The game cannot
    // run without the file, so a missing one is a fatal error. Pledges refer
    // to options, so both pledge lists are emptied as well.
    void LoadOptions(std::string_view path = "data/manifesto.csv");
    // In file order; addresses stay valid until the next LoadOptions.
    const std::deque<ManifestoOption>& Options() const { return options_; }

    // The manifesto window's choice for the coming term. The value starts
    // from where the neuron stands now; false (and nothing added) when the
    // index is past the options or no neuron has the option's name.
    bool AddPledge(std::size_t optionIndex);
    // After a won election: the chosen pledges replace those in force.
    void StartTerm();
    // Game start and before a load: no pledges, nothing broken.
    void ClearPledges();
    // Once a turn: the manifesto is broken while any live pledge is.
    void CheckPledges();
    bool AllKept() const { return allKept_; }
    void SetAllKept(bool kept) { allKept_ = kept; }
    // What the voters and the election results read.
    bool IsBroken() const { return !allKept_; }

    // (1 + change) x initial value, within 0..1.
    static float GetTarget(const ManifestoPledge& pledge);
    // A pledge on a neuron that no longer exists is broken; one without an
    // option is kept.
    static bool IsKept(const ManifestoPledge& pledge);
    // The value now, or 0 when the neuron is missing or inactive.
    static float GetCurrentValue(const ManifestoPledge& pledge);

    const std::vector<ManifestoPledge>& LivePledges() const { return live_; }
    const std::vector<ManifestoPledge>& NextPledges() const { return next_; }

    // Saved games: the first option with that neuron name, none when there
    // is none or the change is 0. The options are left untouched.
    const ManifestoOption* FindOption(std::string_view neuronName, float change) const;
    // Saved games: appends a pledge with the saved change and starting
    // value; one whose option is gone has none and counts as kept.
    void RestorePledge(Term term, std::string_view neuronName, float change, float initialValue);

    void Reset() override { ClearPledges(); }

private:
    Manifesto() = default;
    void LoadLine(const std::string& line, const std::string& path, int lineNumber);

    std::vector<ManifestoPledge> live_;
    std::vector<ManifestoPledge> next_;
    std::deque<ManifestoOption> options_;
    bool allKept_ = true;
};
