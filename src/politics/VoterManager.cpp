// Loading and keeping the voter groups.
#include "politics/VoterManager.h"

#include <algorithm>

#include "core/DataReport.h"
#include "core/FieldReader.h"
#include "core/GameRandom.h"
#include "core/LoadingProgress.h"
#include "core/TextFile.h"
#include "core/TextUtilities.h"
#include "engine/DebugLog.h"
#include "engine/Diagnostics.h"
#include "platform/FileSystem.h"
#include "politics/Voter.h"
#include "politics/VoterType.h"
#include "simulation/GameOptions.h"
#include "simulation/Network.h"
#include "world/Cynicism.h"
#include "world/Grudge.h"

namespace {
constexpr size_t kMaxText = 63;
constexpr size_t kMaxDescription = 1023;
}  // namespace

VoterManager& VoterManager::Instance() {
    static VoterManager manager;
    return manager;
}

void VoterManager::LoadVoterTypes(const std::string& path) {
    const auto file = TextFile::Open(path);
    if (!file) return;
    for (size_t i = 0; i < file->LineCount(); ++i) {
        const std::string& line = file->Lines()[i];
        if (!line.empty() && line[0] == '#') LoadLine(line, path, static_cast<int>(i + 1));
    }
}

void VoterManager::LoadLine(const std::string& line, const std::string& path, int lineNumber) {
    FieldReader fields(line);
    fields.NextField();
    const std::string name = fields.NextField();
    VoterType* type = Network::Create<VoterType>(name);
    types_.push_back(type);
    type->SetDisplayName(fields.NextField());
    type->furtherText_ = fields.NextField().substr(0, kMaxText);
    const float share = fields.NextFloat();
    if (share < 0.0f || share > 1.0f) {
        ReportDataProblem(DataSeverity::Error, {path, lineNumber, name, "percentage"},
                          "initial percentage outside 0 to 1", "VoterType", __LINE__);
    }
    type->SetInitialPercentage(share);
    type->description_ = fields.NextField().substr(0, kMaxDescription);
    type->SetBaseValue(fields.NextFloat());
    // Between the base mood and the "#" stands the short label for the map;
    // older data goes straight on to the "#".
    std::string marker = fields.NextField();
    if (marker.rfind('#', 0) != 0) {
        type->shortName_ = marker.substr(0, kMaxText);
        marker = fields.NextField();
    }
    if (marker.rfind('#', 0) != 0) {
        ReportDataProblem(DataSeverity::Fatal, {path, lineNumber, name, "effects marker"}, "VoterType data corrupted",
                          "VoterType", __LINE__);
    }
    FieldReader pair;
    while (!fields.AtEnd()) {
        const std::string& field = fields.NextField();
        if (field.find(',') == std::string::npos) continue;
        pair.SetText(field);
        std::string other = pair.NextField();
        const float weight = pair.NextFloat();
        type->correlations_.emplace_back(std::move(other), weight);
    }
}

VoterType* VoterManager::FindVoterType(std::string_view name) const {
    for (VoterType* type : types_) {
        if (type->Name() == name) return type;
    }
    return nullptr;
}

VoterType* VoterManager::VoterTypeAt(size_t index) const { return index < types_.size() ? types_[index] : nullptr; }

void VoterManager::Reset() {
    ReportLoadingProgress("Deleting Voter Groups");
    for (VoterType* type : types_) {
        ReportLoadingProgress("deleting group " + type->DisplayName());
        Network::Destroy(type);
    }
    types_.clear();
    ProgressThrottle throttle(100.0);
    for (size_t i = 0; i < population_.size(); ++i) {
        if (throttle.Due()) ReportLoadingProgress(FormatText("deleting voter %d", static_cast<int>(i)));
        Network::Destroy(population_[i]);
    }
    population_.clear();
}

void VoterManager::Join(VoterType& type, Voter& voter) {
    Network::CreateEffect(&type, &voter, "0+(x*1.0)", 1.0f, 1.0f);
}

void VoterManager::CreatePopulation(const std::string& matrixPath) {
    if (const auto content = platform::ReadFile(matrixPath)) {
        ReadMatrix(matrixPath, *content);
    } else {
        GeneratePopulation();
        WriteMatrix(matrixPath);
    }
    LinkDebtToMood();
}

Voter* VoterManager::AddVoter(const std::vector<VoterType*>& types) {
    Voter* voter = Network::Create<Voter>();
    population_.push_back(voter);
    for (VoterType* type : types) Join(*type, *voter);
    return voter;
}

void VoterManager::LinkDebtToMood() {
    Neuron* debt = Network::DebtNeuron();
    VoterType* everyone = FindVoterType("_All_");
    Assert(everyone != nullptr, "VoterManager", __LINE__);
    if (!debt) return;
    if (everyone) Network::CreateEffect(debt, everyone, "-0.2*(x^4)", 1.0f, 1.0f)->SetInertia(3);
    if (Neuron* gdp = Network::FindByName("GDP")) {
        Network::CreateEffect(debt, gdp, "-0.2*(x^4)", 1.0f, 1.0f)->SetInertia(5);
    }
}

void VoterManager::ReadMatrix(const std::string& path, const std::string& content) {
    const TextFile file = TextFile::FromText(path, content);
    ProgressThrottle throttle(200.0);
    FieldReader fields;
    for (size_t i = 0; i < file.LineCount(); ++i) {
        const std::string& line = file.Lines()[i];
        if (line.size() < 2) continue;
        Voter* voter = Network::Create<Voter>();
        population_.push_back(voter);
        fields.SetText(line);
        while (!fields.AtEnd()) {
            const std::string name = TrimTrailing(fields.NextField());
            if (name.size() < 2) continue;
            Neuron* neuron = Network::FindByName(name);
            VoterType* type = FindVoterType(name);
            if (!neuron || neuron->Kind() != NeuronKind::VoterType || !type) {
                ReportDataProblem(DataSeverity::Fatal, {path, static_cast<int>(i + 1), "", name},
                                  "Failed to find type: " + name, "VoterManager", __LINE__);
            }
            if (throttle.Due()) ReportLoadingProgress("Voter joining  " + type->DisplayName());
            Join(*type, *voter);
        }
    }
}

void VoterManager::GeneratePopulation() {
    ReportLoadingProgress("Creating Voting population");
    population_.clear();
    const int total = static_cast<int>(100.0f + 1900.0f * GameOptions::Instance().Get(GameOptions::kAiEntities));
    ProgressThrottle throttle(100.0);
    for (int i = 0; i < total; ++i) {
        population_.push_back(Network::Create<Voter>());
        if (throttle.Due()) ReportLoadingProgress(FormatText("Voter %d Created", i + 1));
    }
    // Each pass gives every group at most one new member, so groups fill up
    // side by side and correlations between them can take hold.
    bool added = true;
    while (added) {
        added = false;
        for (VoterType* type : types_) added = AddMemberIfBelowTarget(*type) || added;
    }
}

bool VoterManager::WriteMatrix(const std::string& path) const {
    std::string content;
    for (const Voter* voter : population_) {
        const size_t lineStart = content.size();
        for (const NeuralEffect* membership : voter->Inputs()) {
            if (membership->Source()->Kind() == NeuronKind::VoterType) content += membership->Source()->Name() + ",";
        }
        // A voter in no group gets two empty fields: an empty line is no
        // voter to the reader, and the next game would lose it.
        if (content.size() == lineStart) content += ",,";
        content += "\n";
    }
    // All or nothing: a crash while writing must not leave half a population
    // for the next game to read.
    std::string error;
    if (platform::WriteFileAtomically(path, content, &error)) return true;
    Log("cannot write the voter matrix: " + error);
    return false;
}

Voter* VoterManager::RandomVoter() const {
    if (population_.empty()) return nullptr;
    return population_[static_cast<size_t>(Rand() % PopulationTotal())];
}

bool VoterManager::AddMemberIfBelowTarget(VoterType& type) {
    const int target = static_cast<int>(type.PercentageNeuron()->Value() * static_cast<float>(PopulationTotal()));
    if (target < 1 || type.MemberCount() >= target) return false;
    if (Voter* candidate = PickCandidate(type)) Join(type, *candidate);
    return type.MemberCount() < target;
}

Voter* VoterManager::PickCandidate(const VoterType& type) const {
    Voter* best = nullptr;
    float bestScore = -1.0f;
    for (int attempt = 0; attempt < 10; ++attempt) {
        Voter* voter = RandomVoter();
        if (!voter) return nullptr;
        float score = 0.0f;
        bool member = false;
        for (const NeuralEffect* input : voter->Inputs()) {
            const Neuron* source = input->Source();
            if (source->Name() == type.Name()) {
                member = true;
                break;
            }
            if (source->Kind() == NeuronKind::VoterType) {
                score += static_cast<const VoterType*>(source)->CorrelationWith(type.Name());
            }
        }
        if (member) continue;
        if (score > bestScore) {
            best = voter;
            bestScore = score;
        }
    }
    return best;
}

void VoterManager::RemoveMember(VoterType& type) {
    for (int attempt = 0; attempt < 200; ++attempt) {
        const int members = type.MemberCount();
        if (members == 0) return;
        NeuralEffect* membership = type.Outputs()[static_cast<size_t>(Rand() % members)];
        if (membership->Target()->Kind() == NeuronKind::Voter) {
            Network::DestroyEffect(membership);
            return;
        }
    }
}

bool VoterManager::VotesForGovernment(Voter& voter, int monthsToElection, bool manifestoBroken) const {
    float v = voter.Opinion() - Cynicism::Instance().GetCynicism();
    if (monthsToElection < 10 && manifestoBroken) v -= 0.1f;
    return v > 0.5f;
}

void VoterManager::CountSupporters(VoterType& type, int monthsToElection, bool manifestoBroken) const {
    int supporters = 0;
    for (const NeuralEffect* membership : type.Outputs()) {
        Neuron* target = membership->Target();
        if (target->Kind() == NeuronKind::Voter &&
            VotesForGovernment(*static_cast<Voter*>(target), monthsToElection, manifestoBroken)) {
            ++supporters;
        }
    }
    type.SetSupporters(supporters);
}

bool VoterManager::AllTypesAtLeast(float level) const {
    return std::all_of(types_.begin(), types_.end(),
                       [level](const VoterType* type) { return std::clamp(type->Value(), 0.0f, 1.0f) >= level; });
}

void VoterManager::PassOnMoods() {
    for (VoterType* type : types_) PassOnMood(*type);
}

void VoterManager::PassOnMood(VoterType& type) {
    const float mood = type.Value();
    for (NeuralEffect* membership : type.Outputs()) membership->SetTargetInput(mood);
    const int total = PopulationTotal();
    type.PercentageNeuron()->SetValue(total > 0 ? static_cast<float>(type.MemberCount()) / static_cast<float>(total)
                                                : 0.0f);
    // Groups hold a grudge against a policy that hurts them badly; while the
    // hurt lasts the grudge is renewed rather than left to fade.
    for (NeuralEffect* input : std::vector<NeuralEffect*>(type.Inputs())) {
        Neuron* source = input->Source();
        if (!input->IsActive() || source->Kind() != NeuronKind::Policy || input->Output() >= -0.7f) continue;
        if (Neuron* held = type.FindInputFromGrudge(source->Name())) {
            static_cast<Grudge*>(held)->SetValue(-0.1f);
        } else {
            Grudge* grudge = CreateGrudge(source->Name(), -0.1f, 0.9f, &type);
            Network::CreateEffect(grudge, &type, "0+(1.0*x)", 1.0f, -0.1f);
        }
    }
}

void VoterManager::UpdateTrends() {
    for (VoterType* type : types_) UpdateTrend(*type);
}

void VoterManager::UpdateTrend(VoterType& type) {
    const float frequency = type.FrequencyNeuron()->Value();
    if (frequency < 0.25f) {
        const int count = std::max(1, static_cast<int>(static_cast<float>(type.MemberCount()) * 0.03f));
        for (int i = 0; i < count; ++i) RemoveMember(type);
        type.SetTrend(0);
    } else if (frequency <= 0.75f) {
        type.SetTrend(1);
    } else {
        const int room = PopulationTotal() - type.MemberCount();
        const int attempts = std::max(1, static_cast<int>(static_cast<float>(room) * 0.03f));
        for (int i = 0; i < attempts; ++i) {
            if (Voter* candidate = PickCandidate(type)) Join(type, *candidate);
        }
        type.SetTrend(2);
    }
}
