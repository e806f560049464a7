// Writing and laying back the exact state of a game in progress.
//
// Neurons are listed in the network's order and found again by position,
// kind and name: a game rebuilt from the same data files creates them in the
// same order. Effects are listed under their target, in the target's input
// order, and found again by their source. Numbers are written shortest-exact,
// so every float reads back bit for bit.
#include "world/SaveGameContinuation.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <cmath>
#include <type_traits>
#include <unordered_map>

#include "core/TextUtilities.h"
#include "politics/ElectionManager.h"
#include "politics/Policy.h"
#include "politics/Polls.h"
#include "politics/VoterType.h"
#include "simulation/GlobalEconomy.h"
#include "simulation/Network.h"
#include "world/Cynicism.h"
#include "world/DilemmaManager.h"
#include "world/EventManager.h"
#include "world/Finances.h"
#include "world/Grudge.h"
#include "world/Manifesto.h"
#include "world/OppositionManager.h"

namespace {

void AppendFloat(std::string& out, float value) {
    char buffer[32];  // the shortest exact form of a float is at most 15 characters
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, value);
    out.append(buffer, result.ptr);
}

void AppendList(std::string& out, const std::vector<float>& values) {
    for (size_t i = 0; i < values.size(); ++i) {
        if (i) out += ' ';
        AppendFloat(out, values[i]);
    }
}

// Names go between tabs: one holding a tab or a line end (modded data) is
// written with blanks instead, and then no longer matches, which drops the
// exact state rather than the file.
std::string FieldText(std::string text) {
    for (char& c : text) {
        if (c == '\t' || c == '\n' || c == '\r') c = ' ';
    }
    return text;
}

// Splits at tabs; the last field runs to the end of the line.
std::vector<std::string_view> Fields(std::string_view line) {
    std::vector<std::string_view> fields;
    size_t start = 0;
    for (;;) {
        const size_t tab = line.find('\t', start);
        fields.push_back(line.substr(
            start, tab == std::string_view::npos ? std::string_view::npos : tab - start));
        if (tab == std::string_view::npos) return fields;
        start = tab + 1;
    }
}

template <typename Number>
bool Parse(std::string_view text, Number& out) {
    const char* end = text.data() + text.size();
    const auto [stop, error] = std::from_chars(text.data(), end, out);
    if (error != std::errc() || stop != end) return false;
    // "nan" and "inf" read as numbers, yet no game ever writes them.
    if constexpr (std::is_floating_point_v<Number>) return std::isfinite(out);
    return true;
}

// Space-separated numbers, exactly `count` of them.
template <typename Number>
bool ParseList(std::string_view text, size_t count, std::vector<Number>& out) {
    out.clear();
    size_t start = 0;
    while (start < text.size()) {
        size_t space = text.find(' ', start);
        if (space == std::string_view::npos) space = text.size();
        Number value{};
        if (!Parse(text.substr(start, space - start), value)) return false;
        out.push_back(value);
        start = space + 1;
    }
    return count == static_cast<size_t>(-1) || out.size() == count;
}

struct SavedLink {
    int source = 0;
    float lagged = 0.0f, target = 0.0f, output = 0.0f, lastChange = 0.0f;
    bool fresh = false, noJump = false;
};

struct SavedNeuronState {
    int kind = 0;
    std::string name;
    float identifier = 0.0f, value = 0.0f, x = 0.0f, y = 0.0f;
    bool active = true, changed = false;
    int mainCause = -1;
    std::vector<float> history;
    std::vector<SavedLink> inputs;
    std::vector<size_t> outputs;  // ordinals of effects in the order of the inputs lists
};

struct SavedState {
    std::vector<SavedNeuronState> neurons;
    float nextIdentifier = 0.0f;
    struct GrudgeState {
        int neuron, age, owner;
        float decay;
    };
    std::vector<GrudgeState> grudges;
    struct TypeState {
        int neuron, snapshot, supporters, trend;
    };
    std::vector<TypeState> types;
    std::vector<float> approvalHistory, voteHistory;
    bool firedAtLastCheck = false, manifestoKept = true;
    bool complete = false;  // the closing flags line was read
    float voteShare = 0.5f;
    std::vector<DilemmaChoice> choices;
    std::vector<int> dormantPolicies;  // out of force, with the effects they keep
    struct PolicyState {
        int neuron;
        float implementation, popularity;
    };
    std::vector<PolicyState> policies;
    struct AngerState {
        int neuron;
        float anger;
        bool warned;
        int cooldown;
    };
    std::vector<AngerState> anger;
    struct PledgeState {
        bool live;
        std::string name;
        float change, initial;
    };
    std::vector<PledgeState> pledges;
    // debt, reserves, expenses, income, interest, graph maximum
    std::vector<float> accounts, incomeHistory, expenditureHistory, debtHistory;
    // cynicism, approval, potential vote, peak approval, peak vote, economy phase
    std::vector<float> values;
};

bool ParseFlags(std::string_view text, bool& first, bool& second) {
    if (text.size() != 2 || text.find_first_not_of("01") != std::string_view::npos) return false;
    first = text[0] == '1';
    second = text[1] == '1';
    return true;
}

bool ParseNeuron(const std::vector<std::string_view>& f, SavedNeuronState& n) {
    return f.size() == 10 && Parse(f[1], n.kind) && (n.name = std::string(f[2]), true) &&
           Parse(f[3], n.identifier) && Parse(f[4], n.value) && Parse(f[5], n.x) &&
           Parse(f[6], n.y) && ParseFlags(f[7], n.active, n.changed) && Parse(f[8], n.mainCause) &&
           ParseList(f[9], Neuron::kHistoryLength, n.history);
}

bool ParseLink(const std::vector<std::string_view>& f, SavedLink& l) {
    return f.size() == 7 && Parse(f[1], l.source) && Parse(f[2], l.lagged) &&
           Parse(f[3], l.target) && Parse(f[4], l.output) && Parse(f[5], l.lastChange) &&
           ParseFlags(f[6], l.fresh, l.noJump);
}

// One line into the state; false when it is not a line of the section.
bool ParseLine(std::string_view line, SavedState& s) {
    const std::vector<std::string_view> f = Fields(line);
    const std::string_view tag = f[0];
    if (tag == "neuron") return ParseNeuron(f, s.neurons.emplace_back());
    if (tag == "link")
        return !s.neurons.empty() && ParseLink(f, s.neurons.back().inputs.emplace_back());
    if (tag == "outputs") {
        return !s.neurons.empty() && f.size() == 2 &&
               ParseList(f[1], static_cast<size_t>(-1), s.neurons.back().outputs);
    }
    if (tag == "identifiers") return f.size() == 2 && Parse(f[1], s.nextIdentifier);
    if (tag == "dormant") return f.size() == 2 && Parse(f[1], s.dormantPolicies.emplace_back());
    if (tag == "grudge") {
        auto& g = s.grudges.emplace_back();
        return f.size() == 5 && Parse(f[1], g.neuron) && Parse(f[2], g.age) &&
               Parse(f[3], g.owner) && Parse(f[4], g.decay);
    }
    if (tag == "policy") {
        auto& p = s.policies.emplace_back();
        return f.size() == 4 && Parse(f[1], p.neuron) && Parse(f[2], p.implementation) &&
               Parse(f[3], p.popularity);
    }
    if (tag == "anger") {
        auto& a = s.anger.emplace_back();
        bool unused = false;
        return f.size() == 5 && Parse(f[1], a.neuron) && Parse(f[2], a.anger) &&
               ParseFlags(f[3], a.warned, unused) && Parse(f[4], a.cooldown);
    }
    if (tag == "pledge") {
        auto& p = s.pledges.emplace_back();
        bool unused = false;
        return f.size() == 5 && ParseFlags(f[1], p.live, unused) &&
               (p.name = std::string(f[2]), true) && Parse(f[3], p.change) &&
               Parse(f[4], p.initial);
    }
    if (tag == "accounts") {
        const size_t n = Finances::kHistoryLength;
        return f.size() == 5 && ParseList(f[1], 6, s.accounts) &&
               ParseList(f[2], n, s.incomeHistory) && ParseList(f[3], n, s.expenditureHistory) &&
               ParseList(f[4], n, s.debtHistory);
    }
    if (tag == "values") return f.size() == 2 && ParseList(f[1], 6, s.values);
    if (tag == "votertype") {
        auto& t = s.types.emplace_back();
        return f.size() == 5 && Parse(f[1], t.neuron) && Parse(f[2], t.snapshot) &&
               Parse(f[3], t.supporters) && Parse(f[4], t.trend);
    }
    if (tag == "polls") {
        return f.size() == 3 && ParseList(f[1], Polls::kHistoryLength, s.approvalHistory) &&
               ParseList(f[2], Polls::kHistoryLength, s.voteHistory);
    }
    if (tag == "flags") {
        s.complete = f.size() == 4 && ParseFlags(f[1], s.firedAtLastCheck, s.manifestoKept) &&
                     Parse(f[2], s.voteShare) && f[3] == "end";
        return s.complete;
    }
    if (tag == "choice") {
        auto& c = s.choices.emplace_back();
        return f.size() == 3 && (c.dilemma = std::string(f[1]), true) && Parse(f[2], c.option);
    }
    return false;
}

// The live network matched against the saved one, checked whole before any
// of it is changed.
class Matcher {
public:
    explicit Matcher(const SavedState& saved) : saved_(saved) {
        Network::ForEachNeuron([this](Neuron& n) { live_.push_back(&n); });
    }

    bool Match(std::string* problem) {
        if (live_.size() != saved_.neurons.size()) {
            return Fail(problem, "it has " + std::to_string(saved_.neurons.size()) +
                                     " neurons, the data " + std::to_string(live_.size()));
        }
        for (size_t i = 0; i < live_.size(); ++i) {
            const SavedNeuronState& n = saved_.neurons[i];
            // Names are compared as written: blanks for their tabs and line
            // ends, or a name that holds one (a saved grudge's) never matches.
            if (static_cast<int>(live_[i]->Kind()) != n.kind || FieldText(live_[i]->Name()) != n.name) {
                return Fail(problem, "neuron " + std::to_string(i) + " is '" + n.name +
                                         "' there, '" + live_[i]->Name() + "' in the data");
            }
            if (!MatchInputs(i) || !InRange(n.mainCause, true))
                return Fail(problem, "links of '" + n.name + "' differ");
            // A classic record changed by hand is the player's word: the
            // classic values stand then, and the exact state is dropped.
            if (IsClassicRecord(live_[i]->Kind()) &&
                FormatText("%f", double(live_[i]->Value())) != FormatText("%f", double(n.value))) {
                return Fail(problem, "'" + n.name + "' has another value in the classic sections");
            }
        }
        for (size_t i = 0; i < live_.size(); ++i) {
            if (!MatchOutputs(i))
                return Fail(problem, "outputs of '" + saved_.neurons[i].name + "' differ");
        }
        for (const auto& g : saved_.grudges) {
            if (!IsKind(g.neuron, NeuronKind::Grudge) || !InRange(g.owner, true))
                return Fail(problem, "a grudge differs");
        }
        for (const auto& t : saved_.types) {
            if (!IsKind(t.neuron, NeuronKind::VoterType))
                return Fail(problem, "a voter group differs");
        }
        for (const auto& p : saved_.policies) {
            if (!IsKind(p.neuron, NeuronKind::Policy)) return Fail(problem, "a policy differs");
        }
        for (const auto& a : saved_.anger) {
            if (!IsKind(a.neuron, NeuronKind::VoterType) ||
                !OppositionManager::Instance().FindGroup(*live_[size_t(a.neuron)])) {
                return Fail(problem, "an angry group differs");
            }
        }
        return true;
    }

    void Apply() const {
        for (size_t i = 0; i < live_.size(); ++i) {
            const SavedNeuronState& n = saved_.neurons[i];
            Neuron& neuron = *live_[i];
            neuron.SetIdentifier(n.identifier);
            neuron.SetValue(n.value);
            neuron.SetPosition(n.x, n.y);
            neuron.SetActive(n.active);
            for (int h = 0; h < Neuron::kHistoryLength; ++h)
                neuron.SetHistoryEntry(h, n.history[size_t(h)]);
            for (size_t k = 0; k < n.inputs.size(); ++k) {
                const SavedLink& l = n.inputs[k];
                inputs_[i][k]->RestoreState(l.lagged, l.target, l.output, l.lastChange, l.fresh,
                                            l.noJump);
            }
        }
        for (size_t i = 0; i < live_.size(); ++i) {
            const SavedNeuronState& n = saved_.neurons[i];
            std::vector<NeuralEffect*> outputs;
            for (size_t ordinal : n.outputs) outputs.push_back(byOrdinal_[ordinal]);
            Network::RestoreLinks(*live_[i], inputs_[i], std::move(outputs),
                                  n.mainCause < 0 ? nullptr : live_[size_t(n.mainCause)],
                                  n.changed);
        }
        for (const auto& g : saved_.grudges) {
            auto* grudge = static_cast<Grudge*>(live_[size_t(g.neuron)]);
            grudge->SetAge(g.age);
            grudge->SetOwner(g.owner < 0 ? nullptr : live_[size_t(g.owner)]);
            grudge->SetDecay(g.decay);
        }
        for (const auto& p : saved_.policies) {
            auto* policy = static_cast<Policy*>(live_[size_t(p.neuron)]);
            policy->SetImplementation(p.implementation);
            policy->RestorePopularity(p.popularity);
        }
        for (const auto& a : saved_.anger) {
            OppositionManager::Instance()
                .FindGroup(*live_[size_t(a.neuron)])
                ->Restore(a.anger, a.warned, a.cooldown);
        }
        for (const auto& t : saved_.types) {
            auto* type = static_cast<VoterType*>(live_[size_t(t.neuron)]);
            type->SetMemberSnapshot(t.snapshot);
            type->SetSupporters(t.supporters);
            type->SetTrend(t.trend);
        }
    }

private:
    bool Fail(std::string* problem, const std::string& why) {
        *problem = why;
        return false;
    }
    bool InRange(int index, bool noneAllowed) const {
        return (noneAllowed && index == -1) ||
               (index >= 0 && static_cast<size_t>(index) < live_.size());
    }
    static bool IsClassicRecord(NeuronKind kind) {
        return kind == NeuronKind::VoterType || kind == NeuronKind::SimulationValue ||
               kind == NeuronKind::Situation || kind == NeuronKind::Policy ||
               kind == NeuronKind::Grudge;
    }
    bool IsKind(int index, NeuronKind kind) const {
        return InRange(index, false) && live_[size_t(index)]->Kind() == kind;
    }

    // The saved input order, each input found by its source among the live
    // inputs not taken yet.
    bool MatchInputs(size_t i) {
        std::vector<NeuralEffect*> unused = live_[i]->Inputs();
        const auto& saved = saved_.neurons[i].inputs;
        if (unused.size() != saved.size()) return false;
        std::vector<NeuralEffect*>& order = inputs_.emplace_back();
        for (const SavedLink& link : saved) {
            if (!InRange(link.source, false)) return false;
            auto it = std::find_if(unused.begin(), unused.end(), [&](NeuralEffect* e) {
                return e && e->Source() == live_[size_t(link.source)];
            });
            if (it == unused.end()) return false;
            order.push_back(*it);
            byOrdinal_.push_back(*it);
            *it = nullptr;
        }
        return true;
    }

    bool MatchOutputs(size_t i) const {
        const auto& saved = saved_.neurons[i].outputs;
        if (saved.size() != live_[i]->Outputs().size()) return false;
        std::vector<bool> seen(byOrdinal_.size(), false);
        for (size_t ordinal : saved) {
            if (ordinal >= byOrdinal_.size() || seen[ordinal] ||
                byOrdinal_[ordinal]->Source() != live_[i])
                return false;
            seen[ordinal] = true;
        }
        return true;
    }

    const SavedState& saved_;
    std::vector<Neuron*> live_;
    std::vector<std::vector<NeuralEffect*>> inputs_;
    std::vector<NeuralEffect*> byOrdinal_;
};

}  // namespace

namespace {

// The section's text, part by part; neurons are named by their position.
class StateWriter {
public:
    StateWriter() {
        Network::ForEachNeuron([this](Neuron& n) {
            index_[&n] = static_cast<int>(neurons_.size());
            neurons_.push_back(&n);
            for (const NeuralEffect* e : n.Inputs()) ordinal_.emplace(e, ordinal_.size());
        });
    }

    std::string Text() {
        for (const Neuron* n : neurons_) WriteNeuron(*n);
        WriteRecords();
        WriteAccounts();
        // The flags line comes last: a section cut before it is refused whole.
        out_ += "flags\t";
        out_ += EventManager::Instance().FiredAtLastCheck() ? '1' : '0';
        out_ += Manifesto::Instance().AllKept() ? "1\t" : "0\t";
        AppendFloat(out_, ElectionManager::Instance().VoteShare());
        out_ += "\tend\n";
        return std::move(out_);
    }

private:
    int IndexOf(const Neuron* n) const {
        const auto it = index_.find(n);
        return it == index_.end() ? -1 : it->second;
    }

    void WriteNeuron(const Neuron& n) {
        out_ +=
            "neuron\t" + std::to_string(static_cast<int>(n.Kind())) + '\t' + FieldText(n.Name());
        for (float v : {n.Identifier(), n.Value(), n.X(), n.Y()}) {
            out_ += '\t';
            AppendFloat(out_, v);
        }
        out_ += n.IsActive() ? "\t1" : "\t0";
        out_ += n.IsChanged() ? "1\t" : "0\t";
        out_ += std::to_string(IndexOf(n.MainCause())) + '\t';
        AppendList(out_, std::vector<float>(n.History().begin(), n.History().end()));
        out_ += '\n';
        for (const NeuralEffect* e : n.Inputs()) {
            out_ += "link\t" + std::to_string(IndexOf(e->Source()));
            for (float v :
                 {e->LaggedInput(), e->TargetInput(), e->StoredOutput(), e->LastChange()}) {
                out_ += '\t';
                AppendFloat(out_, v);
            }
            out_ += e->IsFresh() ? "\t1" : "\t0";
            out_ += e->IsNoJump() ? "1\n" : "0\n";
        }
        if (n.Outputs().empty()) return;
        // An effect no target lists is left out: the load then finds the
        // outputs differ and keeps to the classic sections.
        out_ += "outputs\t";
        bool first = true;
        for (const NeuralEffect* e : n.Outputs()) {
            const auto it = ordinal_.find(e);
            if (it == ordinal_.end()) continue;
            if (!first) out_ += ' ';
            first = false;
            out_ += std::to_string(it->second);
        }
        out_ += '\n';
    }

    void WriteRecords() {
        for (const Neuron* n : neurons_) {
            const auto* policy =
                n->Kind() == NeuronKind::Policy ? static_cast<const Policy*>(n) : nullptr;
            if (policy && policy->EffectsCreated() && !policy->IsInForce())
                out_ += "dormant\t" + std::to_string(IndexOf(n)) + '\n';
        }
        out_ += "identifiers\t";
        AppendFloat(out_, Network::NextIdentifier());
        out_ += '\n';
        for (const Grudge* g : GrudgeList()) {
            out_ += "grudge\t" + std::to_string(IndexOf(g)) + '\t' + std::to_string(g->Age()) +
                    '\t' + std::to_string(IndexOf(g->Owner())) + '\t';
            AppendFloat(out_, g->Decay());
            out_ += '\n';
        }
        for (const Policy* p : Policy::AllPolicies()) {
            out_ += "policy\t" + std::to_string(IndexOf(p)) + '\t';
            AppendFloat(out_, p->Implementation());
            out_ += '\t';
            AppendFloat(out_, p->Popularity());
            out_ += '\n';
        }
        for (const OppositionGroup& group : OppositionManager::Instance().Groups()) {
            out_ += "anger\t" + std::to_string(IndexOf(&group.Group())) + '\t';
            AppendFloat(out_, group.Anger());
            out_ += group.IsWarned() ? "\t10\t" : "\t00\t";
            out_ += std::to_string(group.Cooldown()) + '\n';
        }
        for (const Neuron* n : neurons_) {
            if (n->Kind() != NeuronKind::VoterType) continue;
            const auto* t = static_cast<const VoterType*>(n);
            out_ += "votertype\t" + std::to_string(IndexOf(t)) + '\t' +
                    std::to_string(t->MemberSnapshot()) + '\t' + std::to_string(t->Supporters()) +
                    '\t' + std::to_string(t->Trend()) + '\n';
        }
        for (const DilemmaChoice& c : DilemmaManager::Instance().Choices()) {
            out_ += "choice\t" + FieldText(c.dilemma) + '\t' + std::to_string(c.option) + '\n';
        }
    }

    void WriteAccounts() {
        const Manifesto& manifesto = Manifesto::Instance();
        for (const auto* term : {&manifesto.LivePledges(), &manifesto.NextPledges()}) {
            for (const ManifestoPledge& pledge : *term) {
                if (!pledge.option) continue;  // as in the classic section: it counts as kept
                out_ += term == &manifesto.LivePledges() ? "pledge\t10\t" : "pledge\t00\t";
                out_ += FieldText(pledge.option->neuronName) + '\t';
                AppendFloat(out_, pledge.change);
                out_ += '\t';
                AppendFloat(out_, pledge.initialValue);
                out_ += '\n';
            }
        }
        const Finances& finances = Finances::Instance();
        out_ += "accounts\t";
        AppendList(out_, {finances.Debt(), finances.Reserves(), finances.Expenses(),
                          finances.Income(), finances.Interest(), finances.GraphMaximum()});
        for (const auto* history :
             {&finances.IncomeHistory(), &finances.ExpenditureHistory(), &finances.DebtHistory()}) {
            out_ += '\t';
            AppendList(out_, std::vector<float>(history->begin(), history->end()));
        }
        const Polls& polls = Polls::Instance();
        const GlobalEconomy* economy = Network::GlobalEconomyNeuron();
        out_ += "\nvalues\t";
        AppendList(out_,
                   {Cynicism::Instance().GetCynicism(), polls.Approval(), polls.PotentialVote(),
                    polls.PeakApproval(), polls.PeakVote(), economy ? economy->Phase() : 0.0f});
        out_ += "\npolls";
        for (const auto* history : {&polls.ApprovalHistory(), &polls.VoteHistory()}) {
            out_ += '\t';
            AppendList(out_, std::vector<float>(history->begin(), history->end()));
        }
        out_ += '\n';
    }

    std::vector<const Neuron*> neurons_;
    std::unordered_map<const Neuron*, int> index_;
    std::unordered_map<const NeuralEffect*, size_t> ordinal_;
    std::string out_;
};

}  // namespace

std::string SaveGameContinuation::Build() {
    return StateWriter().Text();
}

namespace {

bool ParseSection(const std::vector<std::pair<int, std::string>>& lines, SavedState& saved,
                  int* badLine, std::string* problem) {
    for (const auto& [number, text] : lines) {
        std::string_view line = text;
        if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
        if (line.empty()) continue;
        if (saved.complete || !ParseLine(line, saved)) {
            *badLine = number;
            *problem = "not a line of the exact state; nothing loaded";
            return false;
        }
    }
    if (!saved.complete) {
        *badLine = lines.empty() ? 0 : lines.back().first;
        *problem =
            "the exact state ends before its closing 'flags' line: cut short; nothing loaded";
        return false;
    }
    return true;
}

}  // namespace

bool SaveGameContinuation::Check(const std::vector<std::pair<int, std::string>>& lines,
                                 int* badLine, std::string* problem) {
    SavedState saved;
    return ParseSection(lines, saved, badLine, problem);
}

bool SaveGameContinuation::Apply(const std::vector<std::pair<int, std::string>>& lines,
                                 std::string* problem) {
    SavedState saved;
    int badLine = 0;
    if (!ParseSection(lines, saved, &badLine, problem)) return false;
    // A cancelled policy kept its effects; the rebuilt game has none for it.
    // (Should the check below fail, these inactive effects deliver nothing.)
    std::vector<Neuron*> live;
    Network::ForEachNeuron([&live](Neuron& n) { live.push_back(&n); });
    for (int index : saved.dormantPolicies) {
        const bool fits = index >= 0 && static_cast<size_t>(index) < live.size() &&
                          live[size_t(index)]->Kind() == NeuronKind::Policy &&
                          !live[size_t(index)]->IsActive();
        if (!fits) {
            *problem = "a cancelled policy differs";
            return false;
        }
        static_cast<Policy*>(live[size_t(index)])->RestoreEffects();
    }
    Matcher matcher(saved);
    if (!matcher.Match(problem)) return false;
    matcher.Apply();
    Network::SetIdentifierCounter(saved.nextIdentifier);
    std::array<float, Polls::kHistoryLength> approval{}, vote{};
    std::copy(saved.approvalHistory.begin(), saved.approvalHistory.end(), approval.begin());
    std::copy(saved.voteHistory.begin(), saved.voteHistory.end(), vote.begin());
    Polls::Instance().RestoreHistories(approval, vote);
    DilemmaManager::Instance().SetChoices(saved.choices);
    EventManager::Instance().SetFiredAtLastCheck(saved.firedAtLastCheck);
    Manifesto& manifesto = Manifesto::Instance();
    manifesto.ClearPledges();
    for (const auto& p : saved.pledges) {
        manifesto.RestorePledge(p.live ? Manifesto::Term::Live : Manifesto::Term::Next, p.name,
                                p.change, p.initial);
    }
    manifesto.SetAllKept(saved.manifestoKept);
    if (saved.accounts.size() == 6) {
        const auto& a = saved.accounts;
        Finances& finances = Finances::Instance();
        finances.Restore(a[1], a[2], a[3], a[4], a[0]);
        finances.SetGraphMaximum(a[5]);
        for (int i = 0; i < Finances::kHistoryLength; ++i) {
            const auto at = size_t(i);
            finances.SetHistoryEntry(i, saved.incomeHistory[at], saved.expenditureHistory[at],
                                     saved.debtHistory[at]);
        }
    }
    if (saved.values.size() == 6) {
        const auto& v = saved.values;
        Cynicism::Instance().SetCynicism(v[0]);
        Polls::Instance().Restore(v[1], v[2], v[3], v[4]);
        if (GlobalEconomy* economy = Network::GlobalEconomyNeuron()) economy->SetPhase(v[5]);
    }
    ElectionManager::Instance().SetVoteShare(saved.voteShare);
    return true;
}
