// The issues list: its entries, look-ups and the geometry of its bar.
#include "politics/IssuesList.h"

#include <algorithm>

#include "engine/Diagnostics.h"
#include "politics/Situation.h"
#include "simulation/GameOptions.h"
#include "simulation/Neuron.h"

IssuesList& IssuesList::Instance() {
    static IssuesList list;
    return list;
}

size_t IssuesList::Add(Neuron* neuron, IssueKind kind) {
    Assert(neuron != nullptr, "Issuesmanager", __LINE__);
    if (!neuron) return entries_.size();
    entries_.push_back({neuron, kind});
    Changed();
    return entries_.size();
}

size_t IssuesList::AddDilemma(Neuron* dilemma) {
    return Add(dilemma, IssueKind::Dilemma);
}
size_t IssuesList::AddSituationStarted(Neuron* situation) {
    return Add(situation, IssueKind::SituationStarted);
}
size_t IssuesList::AddSituationEnded(Neuron* situation) {
    return Add(situation, IssueKind::SituationEnded);
}
size_t IssuesList::AddEvent(Neuron* event) {
    return Add(event, IssueKind::Event);
}

Neuron* IssuesList::FindByName(std::string_view name) const {
    for (const IssueEntry& entry : entries_) {
        if (entry.neuron->Name() == name) return entry.neuron;
    }
    return nullptr;
}

bool IssuesList::HasDilemma() const {
    return std::any_of(entries_.begin(), entries_.end(),
                       [](const IssueEntry& entry) { return entry.kind == IssueKind::Dilemma; });
}

bool IssuesList::BlocksNextTurn() const {
    return HasDilemma() && GameOptions::Instance().Get(GameOptions::kIgnoreDilemmas) == 0.0f;
}

void IssuesList::Remove(const Neuron* neuron) {
    const auto it =
        std::find_if(entries_.begin(), entries_.end(),
                     [neuron](const IssueEntry& entry) { return entry.neuron == neuron; });
    if (it == entries_.end()) {
        ReportFailure("Failed to remove issue", "Issuesmanager", __LINE__);
        return;
    }
    entries_.erase(it);
    Changed();
}

std::optional<IssueEntry> IssuesList::Take(size_t index) {
    if (index >= entries_.size()) return std::nullopt;
    const IssueEntry entry = entries_[index];
    Remove(entry.neuron);
    return entry;
}

void IssuesList::Forget(const Neuron* neuron) {
    const auto from =
        std::remove_if(entries_.begin(), entries_.end(),
                       [neuron](const IssueEntry& entry) { return entry.neuron == neuron; });
    if (from == entries_.end()) return;
    entries_.erase(from, entries_.end());
    Changed();
}

void IssuesList::Clear() {
    if (entries_.empty()) return;
    entries_.clear();
    Changed();
}

std::string IssuesList::MessageText(const IssueEntry& entry) {
    if (!entry.neuron || entry.neuron->Kind() != NeuronKind::Situation) return std::string();
    const auto& situation = static_cast<const Situation&>(*entry.neuron);
    if (entry.kind == IssueKind::SituationStarted) return situation.StartText();
    if (entry.kind == IssueKind::SituationEnded) return situation.EndText();
    return std::string();
}

IssueLook IssuesList::Look(IssueKind kind) {
    switch (kind) {
        case IssueKind::Dilemma:
            return {"gui_dilemma_icon.dds", "TOOLTIP_DILEMMA"};
        case IssueKind::SituationStarted:
            return {"gui_issue_icon.dds", "TOOLTIP_SITSTART"};
        case IssueKind::SituationEnded:
            return {"gui_issueend_icon.dds", "TOOLTIP_SITEND"};
        case IssueKind::Event:
            break;
    }
    return {"gui_event_icon.dds", "TOOLTIP_EVENT"};
}

// The icons are as tall as they are wide; the height was never written down.
IssueIconRectangle IssuesList::IconRectangle(size_t index, size_t count, int screenWidth,
                                             int screenHeight) {
    const int barWidth = static_cast<int>(count) * kIconSize;
    IssueIconRectangle rectangle;
    rectangle.left = (screenWidth - barWidth) / 2 + static_cast<int>(index) * kIconSize;
    rectangle.top = screenHeight / 2 - kBarRaise;
    rectangle.right = rectangle.left + kIconSize;
    rectangle.bottom = rectangle.top + kIconSize;
    return rectangle;
}

std::optional<size_t> IssuesList::IconAt(int x, int y, size_t count, int screenWidth,
                                         int screenHeight) {
    if (count == 0) return std::nullopt;
    const IssueIconRectangle first = IconRectangle(0, count, screenWidth, screenHeight);
    if (y < first.top || y >= first.bottom || x < first.left) return std::nullopt;
    const size_t index = static_cast<size_t>((x - first.left) / kIconSize);
    if (index >= count) return std::nullopt;
    return index;
}
