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
};

NetworkState& State() {
    static NetworkState state;
    return state;
}

// Drops the gaps of a registry once they outnumber the entries, renumbering.
template <typename Entry, typename SetIndex>
void Compact(std::vector<Entry>& registry, size_t liveCount, SetIndex setIndex) {
    if (State().iterating > 0 || registry.size() < 64 || registry.size() < 2 * liveCount) return;
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
    if (!s.live.erase(neuron)) return;
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

void Network::RecalculateAll() {
    NetworkState& s = State();
    IterationGuard guard;
    // An acyclic network settles in at most one pass more than its longest
    // chain; anything beyond that is going round a cycle.
    const size_t passLimit = s.live.size() + 2;
    for (size_t pass = 0;; ++pass) {
        bool found = false;
        for (size_t i = 0; i < s.neurons.size(); ++i) {
            Neuron* n = s.neurons[i];
            if (n && n->changed_) {
                found = true;
                n->Recalculate();
            }
        }
        if (!found) return;
        if (pass < passLimit) continue;

        Neuron* first = nullptr;
        for (Neuron* n : s.neurons) {
            if (n && n->changed_ && !first) first = n;
        }
        const std::string cycle = first ? DescribeCycle(first) : std::string();
        if (s.reportedCycles.insert(cycle).second) {
            Trace("Network", "effects form a cycle that never settles: " + cycle, static_cast<int>(pass));
        }
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
    neuron.inputs_ = std::move(inputs);
    neuron.outputs_ = std::move(outputs);
    neuron.mainCause_ = mainCause;
    neuron.changed_ = changed;
}
