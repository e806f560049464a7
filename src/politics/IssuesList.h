// The things of the last turn that wait for the player: situations that
// started or ended, events that fired, dilemmas to answer. The bar of icons
// on the main screen reads this list; it holds no drawing of its own.
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "core/EnrolledManager.h"

class Neuron;

enum class IssueKind : int {
    Dilemma = 0,
    SituationStarted = 1,
    SituationEnded = 2,
    Event = 3,
};

struct IssueEntry {
    Neuron* neuron = nullptr;  // not owned
    IssueKind kind = IssueKind::Event;
};

// The icon texture and the tooltip's string key of a kind of entry.
struct IssueLook {
    const char* icon;
    const char* tooltipKey;
};

// Where icon `index` of a bar of `count` sits on a screen, in pixels.
struct IssueIconRectangle {
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;
};

class IssuesList : public EnrolledManager {
public:
    static constexpr int kIconSize = 35;
    // The bar's top edge lies this far above the screen's vertical centre.
    static constexpr int kBarRaise = 145;

    static IssuesList& Instance();

    // Each appends an entry (the same neuron may stand on the list more than
    // once) and returns the new count. A null neuron is reported and not
    // added.
    size_t AddDilemma(Neuron* dilemma);
    size_t AddSituationStarted(Neuron* situation);
    size_t AddSituationEnded(Neuron* situation);
    size_t AddEvent(Neuron* event);

    // The neuron of the first entry whose neuron has exactly that name.
    Neuron* FindByName(std::string_view name) const;
    // A dilemma waits for an answer.
    bool HasDilemma() const;
    // Whether the next turn must wait: a dilemma waits and the player has
    // not chosen to ignore dilemmas. The control panel and the right-click
    // menu both ask this, so they never disagree.
    bool BlocksNextTurn() const;

    // Removes the first entry for the neuron; reports "Failed to remove
    // issue" when there is none.
    void Remove(const Neuron* neuron);
    // A click on icon `index`: returns that entry (whose window to open) and
    // removes the first entry for its neuron, which may stand earlier.
    std::optional<IssueEntry> Take(size_t index);
    // Drops every entry for a neuron being deleted, without a report.
    void Forget(const Neuron* neuron);
    // Start of a turn, game start and loading.
    void Clear();
    void Reset() override { Clear(); }

    const std::vector<IssueEntry>& Entries() const { return entries_; }
    size_t Count() const { return entries_.size(); }
    // Grows with every change, so the bar rebuilds when it sees a new one.
    unsigned Revision() const { return revision_; }

    // For a situation's entry, the text its message window shows: the start
    // or the end text. Empty for other kinds.
    static std::string MessageText(const IssueEntry& entry);
    static IssueLook Look(IssueKind kind);

    // The bar: square icons side by side in list order, centred across the
    // screen.
    static IssueIconRectangle IconRectangle(size_t index, size_t count, int screenWidth,
                                            int screenHeight);
    // The index of the icon under a point, or nothing.
    static std::optional<size_t> IconAt(int x, int y, size_t count, int screenWidth,
                                        int screenHeight);

private:
    IssuesList() = default;
    size_t Add(Neuron* neuron, IssueKind kind);
    void Changed() { ++revision_; }

    std::vector<IssueEntry> entries_;
    unsigned revision_ = 0;
};
