// Registries and whole-network operations.
#include "simulation/Network.h"

#include <algorithm>
#include <memory>
#include <set>
#include <unordered_set>

#include "core/StringMap.h"
#include "engine/Diagnostics.h"
#include "simulation/GlobalEconomy.h"

namespace {

constexpr float kFirstIdentifier = 100.0f;
enum Special { kDefault, kWinning, kDebt, kGlobalEconomy, kSecurity, kSpecialCount };

struct NetworkState {
    // Registries in construction order. Removed entries leave a gap (null)
    // until the next compaction, so removal never shifts the whole list.
    std::vector<Neuron*> neurons;
    std::unordered_set<const Neuron*> live;
    std::vector<std::unique_ptr<NeuralEffect>> effects;
    size_t liveEffects = 0;
    // Every named neuron under its name, in construction order.
    StringMap<std::vector<Neuron*>> byName;
    std::uint64_t nextSerial = 0;
    float identifierCounter = kFirstIdentifier;
    std::array<Neuron*, kSpecialCount> special{};
    bool nonFiniteReported = false;
    std::set<std::string> reportedCycles;
    int iterating = 0;  // compaction waits while a walk is under way
    // Counts the changes that may change which neurons wait (links of voters
    // and their groups, watch marks, positions); the voters whose
    // recalculation may wait for the end of RecalculateAll are picked again
    // when it moves.
    std::uint64_t structure = 1;
    std::uint64_t lastSortedStructure = 0;
    // By registry position: the neuron is recalculated once after the others settle.
    std::vector<char> waitsForTheEnd;
    // By registry position: every output of the neuron goes to a waiting
    // neuron, so during RecalculateAll only its last hand-over counts and is
    // made once, before the waiting neurons are recalculated.
    std::vector<char> feedsOnlyWaiting;
    std::vector<char> handOverPending;
    std::vector<float> handOverValue;
    std::vector<size_t> handOvers;
    bool recalculating = false;
};

NetworkState& State() {
    static NetworkState state;
    return state;
}

// Drops the gaps of a registry once they outnumber the entries, renumbering.
template <typename Entry, typename SetIndex>
void Compact(std::vector<Entry>& registry, size_t liveCount, SetIndex setIndex) {
    if (State().iterating > 0 || registry.size() < 64 || registry.size() < 2 * liveCount) return;
    ++State().structure;  // positions change
    size_t out = 0;
    for (size_t i = 0; i < registry.size(); ++i) {
        if (!registry[i]) continue;
        if (out != i) registry[out] = std::move(registry[i]);
        setIndex(registry[out], out);
        ++out;
    }
    registry.resize(out);
}

class IterationGuard {
public:
    IterationGuard() { ++State().iterating; }
    ~IterationGuard() { --State().iterating; }
    IterationGuard(const IterationGuard&) = delete;
    IterationGuard& operator=(const IterationGuard&) = delete;
};

// Follows the outputs from `start` (a neuron that keeps being marked again)
// to the cycle that feeds it; returns the names along it, or nothing.
std::string DescribeCycle(Neuron* start) {
    std::vector<Neuron*> path;
    std::unordered_set<Neuron*> onPath;
    std::unordered_set<Neuron*> finished;
    // Iterative depth-first search.
    std::vector<std::pair<Neuron*, size_t>> stack{{start, 0}};
    path.push_back(start);
    onPath.insert(start);
    while (!stack.empty()) {
        auto& [node, next] = stack.back();
        const auto& outputs = node->Outputs();
        if (next >= outputs.size()) {
            finished.insert(node);
            onPath.erase(node);
            path.pop_back();
            stack.pop_back();
            continue;
        }
        Neuron* target = outputs[next++]->Target();
        if (finished.count(target)) continue;
        if (onPath.count(target)) {
            std::string text;
            auto from = std::find(path.begin(), path.end(), target);
            for (auto it = from; it != path.end(); ++it) text += (*it)->Name() + " > ";
            return text + target->Name();
        }
        path.push_back(target);
        onPath.insert(target);
        stack.emplace_back(target, 0);
    }
    return std::string();
}

void RemoveFromNameIndex(NetworkState& s, const Neuron* neuron) {
    if (neuron->Name().empty()) return;
    auto it = s.byName.find(neuron->Name());
    if (it == s.byName.end()) return;
    auto& bucket = it->second;
    bucket.erase(std::remove(bucket.begin(), bucket.end(), neuron), bucket.end());
    if (bucket.empty()) s.byName.erase(it);
}

}  // namespace

void Network::MarkStructureChanged() { ++State().structure; }

bool Network::PostponeHandOver(const Neuron& neuron) {
    NetworkState& s = State();
    const size_t i = neuron.registryIndex_;
    // Links changed since the waiting neurons were picked: hand over now.
    if (!s.recalculating || s.lastSortedStructure != s.structure ||
        i >= s.feedsOnlyWaiting.size() || !s.feedsOnlyWaiting[i] || s.neurons[i] != &neuron) {
        return false;
    }
    s.handOverValue[i] = neuron.value_;
    if (!s.handOverPending[i]) {
        s.handOverPending[i] = 1;
        s.handOvers.push_back(i);
    }
    return true;
}

void Network::MakeHandOvers() {
    NetworkState& s = State();
    for (size_t i : s.handOvers) {
        s.handOverPending[i] = 0;
        for (NeuralEffect* effect : s.neurons[i]->outputs_) {
            effect->targetInput_ = s.handOverValue[i];
            if (!effect->target_->changed_) effect->target_->MarkChanged();
        }
    }
    s.handOvers.clear();
}

namespace {

// Whether a link between the two changes which neurons wait: only voters
// wait, and only their groups hand over at the end. A neuron already deleted
// waits for nothing.
bool ChangesWaiting(const Neuron* source, const Neuron* target) {
    const NetworkState& s = State();
    auto is = [&s](const Neuron* n, NeuronKind kind) {
        return n && s.live.count(n) && n->Kind() == kind;
    };
    return is(source, NeuronKind::Voter) || is(source, NeuronKind::VoterType) ||
           is(target, NeuronKind::Voter);
}

}  // namespace

// A neuron made since the waiting ones were picked is past the end of the
// marks and so waits for nothing until they are picked again.
void Network::Register(Neuron* neuron) {
    NetworkState& s = State();
    neuron->registryIndex_ = s.neurons.size();
    neuron->serial_ = s.nextSerial++;
    neuron->identifier_ = s.identifierCounter;
    s.identifierCounter += 1.0f;
    s.neurons.push_back(neuron);
    s.live.insert(neuron);
}

void Network::Unregister(Neuron* neuron) {
    NetworkState& s = State();
    if (!s.live.count(neuron)) return;
    MakeHandOvers();  // the links are about to change
    s.live.erase(neuron);
    RemoveFromNameIndex(s, neuron);
    s.neurons[neuron->registryIndex_] = nullptr;
    ForgetSpecial(neuron);
    Compact(s.neurons, s.live.size(), [](Neuron* n, size_t i) { n->registryIndex_ = i; });
}

void Network::ForgetSpecial(const Neuron* neuron) {
    for (Neuron*& special : State().special) {
        if (special == neuron) special = nullptr;
    }
    defaultNeuron_ = State().special[kDefault];
}

void Network::Rename(Neuron* neuron, std::string_view newName) {
    NetworkState& s = State();
    if (neuron->name_ == newName) return;
    RemoveFromNameIndex(s, neuron);
    neuron->name_ = newName;
    if (newName.empty()) return;
    auto& bucket = s.byName[neuron->name_];
    auto at = std::upper_bound(bucket.begin(), bucket.end(), neuron,
                               [](const Neuron* a, const Neuron* b) { return a->serial_ < b->serial_; });
    bucket.insert(at, neuron);
}

void Network::Destroy(Neuron* neuron) {
    // Only neurons still registered are deleted, so an owner may destroy a
    // neuron the network already deleted with all the others.
    if (neuron && State().live.count(neuron)) delete neuron;
}

NeuralEffect* Network::CreateEffect(Neuron* source, Neuron* target, std::string_view formula, float scale,
                                    float initialInput) {
    NetworkState& s = State();
    MakeHandOvers();  // the links are about to change
    if (ChangesWaiting(source, target)) ++s.structure;
    auto effect = std::make_unique<NeuralEffect>(source, target, formula, scale, initialInput);
    NeuralEffect* raw = effect.get();
    raw->registryIndex_ = s.effects.size();
    s.effects.push_back(std::move(effect));
    ++s.liveEffects;
    source->outputs_.push_back(raw);
    source->MarkChanged();
    target->inputs_.push_back(raw);
    target->MarkChanged();
    return raw;
}

void Network::DestroyEffect(NeuralEffect* effect) {
    NetworkState& s = State();
    if (!effect || effect->registryIndex_ >= s.effects.size() || s.effects[effect->registryIndex_].get() != effect) {
        return;
    }
    MakeHandOvers();  // the links are about to change
    if (ChangesWaiting(effect->source_, effect->target_)) ++s.structure;
    std::unique_ptr<NeuralEffect> owned = std::move(s.effects[effect->registryIndex_]);
    --s.liveEffects;
    owned.reset();
    Compact(s.effects, s.liveEffects, [](std::unique_ptr<NeuralEffect>& e, size_t i) { e->registryIndex_ = i; });
}

Neuron* Network::FindByName(std::string_view name) {
    NetworkState& s = State();
    if (name.empty()) {
        for (Neuron* n : s.neurons) {
            if (n && n->name_.empty()) return n;
        }
        return nullptr;
    }
    auto it = s.byName.find(name);
    return it == s.byName.end() ? nullptr : it->second.front();
}

Neuron* Network::FindByIdentifier(float identifier) {
    for (Neuron* n : State().neurons) {
        if (n && n->identifier_ == identifier) return n;
    }
    return nullptr;
}

void Network::ForEachNeuron(const std::function<void(Neuron&)>& visit) {
    IterationGuard guard;
    auto& neurons = State().neurons;
    for (size_t i = 0; i < neurons.size(); ++i) {
        if (neurons[i]) visit(*neurons[i]);
    }
}

void Network::ForEachEffect(const std::function<void(NeuralEffect&)>& visit) {
    IterationGuard guard;
    auto& effects = State().effects;
    for (size_t i = 0; i < effects.size(); ++i) {
        if (effects[i]) visit(*effects[i]);
    }
}

size_t Network::NeuronCount() { return State().live.size(); }
size_t Network::EffectCount() { return State().liveEffects; }

int Network::CountChanged() {
    int count = 0;
    for (const Neuron* n : State().neurons) {
        if (n && n->changed_) ++count;
    }
    return count;
}

namespace {

// A voter feeds nothing and reads only its groups, which come before it in
// the registry: within a pass it is recalculated after every group that
// marks it, so only its last recalculation counts, and that one may wait
// until the other neurons have settled. Most of the network's neurons are
// voters, and a group that several passes touch would otherwise have every
// member recalculated in each of them.
bool CanWaitForTheEnd(const Neuron& neuron) {
    if (neuron.Kind() != NeuronKind::Voter || !neuron.Outputs().empty() || neuron.IsWatched())
        return false;
    for (const NeuralEffect* effect : neuron.Inputs()) {
        const Neuron* source = effect->Source();
        if (!source || source->Kind() != NeuronKind::VoterType ||
            source->RegistryIndex() >= neuron.RegistryIndex())
            return false;
    }
    return true;
}

}  // namespace

void Network::SortOutWaitingNeurons() {
    NetworkState& s = State();
    if (s.lastSortedStructure == s.structure) return;
    s.lastSortedStructure = s.structure;
    s.waitsForTheEnd.assign(s.neurons.size(), 0);
    for (size_t i = 0; i < s.neurons.size(); ++i) {
        if (s.neurons[i]) s.waitsForTheEnd[i] = CanWaitForTheEnd(*s.neurons[i]);
    }
    s.feedsOnlyWaiting.assign(s.neurons.size(), 0);
    s.handOverPending.assign(s.neurons.size(), 0);
    s.handOverValue.assign(s.neurons.size(), 0.0f);
    for (size_t i = 0; i < s.neurons.size(); ++i) {
        const Neuron* n = s.neurons[i];
        if (!n || n->outputs_.empty()) continue;
        bool all = true;
        for (const NeuralEffect* effect : n->outputs_) {
            const Neuron* target = effect->target_;
            const size_t at = target ? target->registryIndex_ : s.neurons.size();
            all = all && at < s.neurons.size() && s.neurons[at] == target && s.waitsForTheEnd[at];
        }
        s.feedsOnlyWaiting[i] = all;
    }
}

void Network::RecalculateAll() {
    NetworkState& s = State();
    IterationGuard guard;
    SortOutWaitingNeurons();
    struct Recalculating {
        bool& flag;
        const bool before;
        explicit Recalculating(bool& f) : flag(f), before(f) { flag = true; }
        ~Recalculating() {
            MakeHandOvers();
            flag = before;
        }
    } recalculating(s.recalculating);
    // An acyclic network settles in at most one pass more than its longest
    // chain; anything beyond that is going round a cycle.
    const size_t passLimit = s.live.size() + 2;
    // Neurons made during the passes are past the end of the marks, and none waits.
    auto waits = [&s](size_t i) { return i < s.waitsForTheEnd.size() && s.waitsForTheEnd[i]; };
    auto recalculateWaiting = [&s, &waits] {
        MakeHandOvers();
        for (size_t i = 0; i < s.neurons.size(); ++i) {
            Neuron* n = s.neurons[i];
            if (waits(i) && n && n->changed_) n->Recalculate();
        }
    };
    for (size_t pass = 0;; ++pass) {
        // A pass that changed the links of voters picks the waiting ones again.
        if (s.lastSortedStructure != s.structure) {
            MakeHandOvers();
            SortOutWaitingNeurons();
        }
        bool found = false;
        for (size_t i = 0; i < s.neurons.size(); ++i) {
            Neuron* n = s.neurons[i];
            if (!waits(i) && n && n->changed_) {
                found = true;
                n->Recalculate();
            }
        }
        if (!found) {
            recalculateWaiting();
            return;
        }
        if (pass < passLimit) continue;

        Neuron* first = nullptr;
        for (size_t i = 0; i < s.neurons.size() && !first; ++i) {
            if (s.neurons[i] && s.neurons[i]->changed_ && !waits(i)) first = s.neurons[i];
        }
        const std::string cycle = first ? DescribeCycle(first) : std::string();
        if (s.reportedCycles.insert(cycle).second) {
            Trace("Network", "effects form a cycle that never settles: " + cycle, static_cast<int>(pass));
        }
        recalculateWaiting();
        for (Neuron* n : s.neurons) {
            if (n) n->changed_ = false;
        }
        return;
    }
}

void Network::UpdateAllEffects() {
    NetworkState& s = State();
    s.nonFiniteReported = false;
    IterationGuard guard;
    for (size_t i = 0; i < s.effects.size(); ++i) {
        NeuralEffect* effect = s.effects[i].get();
        if (effect && effect->IsActive()) effect->Update();
    }
}

void Network::ShiftAllHistories() {
    ForEachNeuron([](Neuron& n) {
        n.ShiftHistory();
        n.TurnHook();
    });
}

void Network::ResetAllHistories() {
    ForEachNeuron([](Neuron& n) { n.ResetHistory(); });
}

void Network::ReportNonFinite(const Neuron& neuron) {
    NetworkState& s = State();
    if (s.nonFiniteReported) return;
    s.nonFiniteReported = true;
    Trace("Network", "value is not a finite number in " + neuron.Name(), static_cast<int>(neuron.Identifier()));
}

void Network::DeleteAllNeurons() {
    NetworkState& s = State();
    {
        IterationGuard guard;
        for (size_t i = 0; i < s.neurons.size(); ++i) {
            Neuron* n = s.neurons[i];
            if (!n) continue;
            DebuggerOutput(n->name_ + "\n");
            delete n;  // its destructor leaves the registry (and may delete neurons it owns)
        }
    }
    s.neurons.clear();
    s.live.clear();
    s.byName.clear();
    s.special.fill(nullptr);
    defaultNeuron_ = nullptr;
    s.identifierCounter = kFirstIdentifier;
    // The next network's cycles are its own, and reported in their turn.
    s.reportedCycles.clear();
}

void Network::DeleteAllEffects() {
    NetworkState& s = State();
    IterationGuard guard;
    for (size_t i = 0; i < s.effects.size(); ++i) {
        if (s.effects[i]) DestroyEffect(s.effects[i].get());
    }
    s.effects.clear();
    s.liveEffects = 0;
}

void Network::CreateSpecialNeurons() {
    NetworkState& s = State();
    struct Names {
        const char* name;
        const char* displayName;
    };
    const std::array<Names, kSpecialCount> names = {{{"_default_", ""},
                                                     {"_winning_", ""},
                                                     {"_debt_", "National Debt"},
                                                     {"_globaleconomy_", "Economic Cycle"},
                                                     {"_security_", "Security"}}};
    for (size_t i = 0; i < kSpecialCount; ++i) {
        Destroy(s.special[i]);
        Neuron* neuron = i == kGlobalEconomy ? Create<GlobalEconomy>() : Create<Neuron>();
        neuron->SetName(names[i].name);
        neuron->SetDisplayName(names[i].displayName);
        neuron->SetIdentifier(static_cast<float>(i));
        s.special[i] = neuron;
    }
    defaultNeuron_ = s.special[kDefault];
}

Neuron* Network::WinningNeuron() { return State().special[kWinning]; }
Neuron* Network::DebtNeuron() { return State().special[kDebt]; }
GlobalEconomy* Network::GlobalEconomyNeuron() { return static_cast<GlobalEconomy*>(State().special[kGlobalEconomy]); }
Neuron* Network::SecurityNeuron() { return State().special[kSecurity]; }


float Network::NextIdentifier() { return State().identifierCounter; }
void Network::SetIdentifierCounter(float next) { State().identifierCounter = next; }

int Network::ReportedCycleCount() { return static_cast<int>(State().reportedCycles.size()); }

void Network::RestoreLinks(Neuron& neuron, std::vector<NeuralEffect*> inputs,
                           std::vector<NeuralEffect*> outputs, Neuron* mainCause, bool changed) {
    MakeHandOvers();  // the links are about to change
    ++State().structure;
    neuron.inputs_ = std::move(inputs);
    neuron.outputs_ = std::move(outputs);
    neuron.mainCause_ = mainCause;
    neuron.changed_ = changed;
}
