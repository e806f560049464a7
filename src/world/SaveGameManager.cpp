// Saving, loading and the default save name.
#include "world/SaveGameManager.h"

#include <algorithm>

#include "core/DataReport.h"
#include "core/EnrolledManager.h"
#include "core/GameRandom.h"
#include "core/LinkedMode.h"
#include "core/SetupValues.h"
#include "core/TextUtilities.h"
#include "engine/DebugLog.h"
#include "engine/Diagnostics.h"
#include "platform/FileSystem.h"
#include "politics/ElectionManager.h"
#include "politics/IssuesList.h"
#include "politics/Policy.h"
#include "politics/PolicyManager.h"
#include "politics/PoliticalCapital.h"
#include "politics/Polls.h"
#include "politics/Situation.h"
#include "politics/SituationManager.h"
#include "politics/USCongress.h"
#include "politics/Voter.h"
#include "politics/VoterManager.h"
#include "politics/VoterType.h"
#include "simulation/GlobalEconomy.h"
#include "simulation/Mission.h"
#include "simulation/Network.h"
#include "simulation/Simulation.h"
#include "simulation/SliderInput.h"
#include "world/Calendar.h"
#include "world/Cynicism.h"
#include "world/Dilemma.h"
#include "world/DilemmaManager.h"
#include "world/EventManager.h"
#include "world/Finances.h"
#include "world/Gameplaymanager.h"
#include "world/Grudge.h"
#include "world/Manifesto.h"
#include "world/NewsList.h"
#include "world/OppositionManager.h"
#include "world/SaveGameContinuation.h"
#include "world/SaveGameReader.h"
#include "world/SaveGameWriter.h"
#include "world/SavedGame.h"

namespace {

constexpr const char* kSource = "SaveGameManager";

// Sets a flag while a save or load runs and puts it back as it was, so the
// autosave (which ignores the guard) never clears another run's flag.
class FlagScope {
public:
    explicit FlagScope(bool& flag) : flag_(flag), previous_(flag) { flag_ = true; }
    ~FlagScope() { flag_ = previous_; }
    FlagScope(const FlagScope&) = delete;
    FlagScope& operator=(const FlagScope&) = delete;

private:
    bool& flag_;
    bool previous_;
};

void RestoreNeuron(Neuron& neuron, const SavedNeuron& saved) {
    neuron.SetIdentifier(saved.identifier);
    neuron.SetValue(saved.value);
    for (size_t i = 0; i < saved.history.size(); ++i)
        neuron.SetHistoryEntry(static_cast<int>(i), saved.history[i]);
}

bool IsSeatText(const std::string& text, size_t seats) {
    return text.size() == seats && text.find_first_not_of("01") == std::string::npos;
}

}  // namespace

SaveGameManager& SaveGameManager::Instance() {
    static SaveGameManager manager;
    return manager;
}

std::string SaveGameManager::PathForName(std::string_view name) {
    return std::string(kFolder) + std::string(name) + ".dedu";
}

std::string SaveGameManager::NextFreeSaveName() {
    const std::string path = UniqueFileName(std::string(kFolder) + "savegame", "dedu");
    // The folder in front and ".dedu" behind are not part of the name.
    return path.substr(std::string_view(kFolder).size(),
                       path.size() - std::string_view(kFolder).size() - 5);
}

void SaveGameManager::Report(SaveGameProblem::Kind kind, std::string_view path,
                             const std::string& detail) {
    Log(std::string(kind == SaveGameProblem::Kind::SaveFailed ? "save failed: " : "load failed: ") +
        std::string(path) + ": " + detail);
    if (problemListener_) problemListener_({kind, std::string(path), detail});
}

bool SaveGameManager::Save(std::string_view path) {
    FlagScope scope(busy_);
    const std::string text = SaveGameWriter::Build();
    // The classic game wrote nothing when the folder was missing; we make it.
    const size_t slash = path.find_last_of("/\\");
    if (slash != std::string_view::npos) platform::CreateDirectories(path.substr(0, slash));
    std::string error;
    if (!platform::WriteFileAtomically(path, text, &error)) {
        Report(SaveGameProblem::Kind::SaveFailed, path, error);
        return false;
    }
    Log("saved game: " + std::string(path));
    return true;
}

bool SaveGameManager::SaveNamed(std::string_view name) {
    if (busy_) return false;
    return Save(PathForName(name));
}

bool SaveGameManager::Autosave() {
    const bool saved = Save(PathForName(kAutosaveName));
    Gameplaymanager::Instance().Listener().ShowLoadingScreen();
    return saved;
}

bool SaveGameManager::Load(std::string_view name) {
    if (busy_) return false;
    return LoadFile(PathForName(name));
}

bool SaveGameManager::LoadFile(std::string_view path) {
    if (busy_) return false;
    FlagScope scope(busy_);
    std::string why;
    const auto text = platform::ReadRegularFile(path, kLargestSave, &why);
    if (!text) {
        Report(SaveGameProblem::Kind::LoadFailed, path, why);
        return false;
    }
    // Read whole before anything is cleared: a damaged file is turned down
    // with the game in progress intact, where the classic loader left half a
    // game behind.
    const auto saved = SaveGameReader::Parse(path, *text);
    if (!saved) {
        Report(SaveGameProblem::Kind::LoadFailed, path,
               "not a whole saved game (see the log for the line)");
        return false;
    }
    FlagScope loading(loading_);
    Apply(*saved);
    Log("loaded game: " + std::string(path));
    return true;
}

void SaveGameManager::ReportStale(const SavedGame& saved, int line, const std::string& name,
                                  const char* what) {
    ReportDataProblem(
        DataSeverity::Error, {saved.path, line, name, "name"},
        std::string("no ") + what + " of that name in the data any more; record skipped", kSource,
        __LINE__);
}

void SaveGameManager::Apply(const SavedGame& saved) {
    PoliticalCapital::Instance().SetSpendingSuspended(true);
    GameplayListener& listener = Gameplaymanager::Instance().Listener();
    listener.CloseTurnWindows();
    listener.ShowLoadingScreen();
    saveLog_.clear();
    ClearGame();
    RestoreHeader(saved);
    RebuildFromData();
    RestoreVoters(saved);
    RestoreNeurons(saved);
    RestorePolicies(saved);
    RestoreGrudges(saved);
    RestoreAnger(saved);
    RestoreAccounts(saved);
    RestoreManifestoAndCongress(saved);
    FinishLoad(saved);
    RestoreContinuation(saved);
    PoliticalCapital::Instance().SetSpendingSuspended(false);
    WriteSaveLog();
    // A save keeps no seed of its own: its generator state stands in, so a
    // saved game opens with the same map every time.
    Gameplaymanager::Instance().SetSeed(saved.randomState.value_or(0));
    listener.ShowMainScreen();
    // Whatever the screens drew on their way, the next turn draws the numbers
    // the saved game would have drawn.
    if (saved.randomState) GameRandom::SetState(*saved.randomState);
}

void SaveGameManager::ClearGame() {
    ClearGrudgeList();
    SetLinkedMode(false);
    EnrolledManager::ResetAll();
    Network::DeleteAllNeurons();
    Network::DeleteAllEffects();
    SetLinkedMode(true);
    IssuesList::Instance().Clear();
    Network::CreateSpecialNeurons();
}

// The date comes first, so the data files are rebuilt on the saved date.
void SaveGameManager::RestoreHeader(const SavedGame& saved) {
    Gameplaymanager& game = Gameplaymanager::Instance();
    if (saved.game) {
        game.SetTurnNumber(saved.game->turn);
        game.SetTurnsToElection(saved.game->turnsToElection);
        Calendar::Instance().SetDate(saved.game->month, saved.game->year);
    }
    if (saved.election) {
        ElectionManager::Instance().Restore(saved.election->month, saved.election->year,
                                            saved.election->won);
    }
    if (saved.mission) {
        // A mission's matrix file and its mission file share their name up
        // to a four-character ending.
        const std::string& matrix = saved.mission->matrix;
        const std::string path =
            matrix.size() >= 4 ? matrix.substr(0, matrix.size() - 4) + ".txt" : matrix;
        Mission& mission = Mission::Instance();
        mission.Load(path);
        mission.RestoreSaved(saved.mission->population, saved.mission->wealth, saved.mission->flag,
                             matrix, saved.mission->name);
        ElectionManager::SetInterval(12 * mission.TermLength());
        SetCountryFlagName(mission.Flag());
    }
}

void SaveGameManager::RebuildFromData() {
    const SetupValues& setup = SetupValues::Instance();
    NewsList::Instance().Reset();
    VoterManager::Instance().LoadVoterTypes(setup.GetSetupString("voters"));
    SimulationManager::Instance().LoadValues(setup.GetSetupString("simulation"));
    PolicyManager::Instance().Init();
    SituationManager::Instance().LoadSituations();
    EventManager::Instance().LoadEvents();
    DilemmaManager::Instance().Reload();
    Finances::Instance().ResetAccounts();
    if (GlobalEconomy* economy = Network::GlobalEconomyNeuron()) economy->Start();
    if (Neuron* unemployment = Network::FindByName("Unemployment")) {
        unemployment->SetBaseValue(Mission::Instance().Unemployment());
    }
    OppositionManager::Instance().ResetAnger();
    Cynicism::Instance().ResetCynicism();
}

void SaveGameManager::RestoreVoters(const SavedGame& saved) {
    VoterManager& voters = VoterManager::Instance();
    if (!saved.voters) {
        // Without the section the population comes from the mission's
        // matrix, as at game start, rather than leaving nobody to vote.
        voters.CreatePopulation(Mission::Instance().Matrix());
        return;
    }
    std::vector<VoterType*> types;
    std::vector<std::string> reported;
    // Every line is a voter, one in no group too: the classic loader dropped
    // those, and a population that shrinks on every load changes the polls.
    for (const SavedVoter& voter : *saved.voters) {
        types.clear();
        size_t start = 0;
        while (start < voter.types.size()) {
            size_t comma = voter.types.find(',', start);
            if (comma == std::string::npos) comma = voter.types.size();
            const std::string name =
                TrimTrailing(std::string_view(voter.types).substr(start, comma - start));
            start = comma + 1;
            if (name.size() < 2) continue;
            if (VoterType* type = voters.FindVoterType(name)) {
                types.push_back(type);
            } else if (std::find(reported.begin(), reported.end(), name) == reported.end()) {
                // Once per name: a vanished group would otherwise be reported
                // for every voter in it.
                reported.push_back(name);
                ReportStale(saved, voter.line, name, "voter group");
            }
        }
        voters.AddVoter(types);
    }
    voters.LinkDebtToMood();
    const int total = voters.PopulationTotal();
    for (VoterType* type : voters.VoterTypes()) {
        type->PercentageNeuron()->SetValue(
            total > 0 ? static_cast<float>(type->MemberCount()) / static_cast<float>(total) : 0.0f);
    }
}

void SaveGameManager::RestoreNeurons(const SavedGame& saved) {
    for (const SavedNeuron& record : saved.voterTypes) {
        VoterType* type = VoterManager::Instance().FindVoterType(record.name);
        if (!type) {
            ReportStale(saved, record.line, record.name, "voter group");
            continue;
        }
        RestoreNeuron(*type, record);
        // Members hear the group's mood of the saved turn, as they had when
        // the turn ended; new membership links would otherwise start at 1.
        for (NeuralEffect* membership : type->Outputs()) {
            if (membership->Target()->Kind() != NeuronKind::Voter) continue;
            membership->SetTargetInput(record.value);
            membership->SetLaggedInput(record.value);
        }
    }
    for (const SavedNeuron& record : saved.simulationValues) {
        Simulation* value = SimulationManager::Instance().FindValue(record.name);
        if (!value) {
            ReportStale(saved, record.line, record.name, "simulation value");
            continue;
        }
        RestoreNeuron(*value, record);
    }
    for (const SavedSituation& record : saved.situations) {
        Situation* situation = SituationManager::Instance().FindSituation(record.neuron.name);
        if (!situation) {
            ReportStale(saved, record.neuron.line, record.neuron.name, "situation");
            continue;
        }
        RestoreNeuron(*situation, record.neuron);
        situation->RestoreActive(record.active);
        if (logging_) saveLog_ += "loaded situation: " + record.neuron.name + "\n";
    }
}

void SaveGameManager::RestorePolicies(const SavedGame& saved) {
    for (const SavedPolicy& record : saved.policies) {
        Policy* policy = Policy::FindPolicy(record.neuron.name);
        if (!policy) {
            ReportStale(saved, record.neuron.line, record.neuron.name, "policy");
            continue;
        }
        // A policy saved out of force stays out, whatever its value.
        if (record.active) policy->Introduce();
        policy->SetIdentifier(record.neuron.identifier);
        policy->SetValue(record.neuron.value);
        policy->Input()->SetValue(record.input);
        policy->SetImplementation(record.implementation);
        // The policy stays on its way to the slider: the saved lagged input
        // is kept through the settle step. (The classic loader put the
        // policy's value here, which differs once a situation also acts on
        // the policy.)
        if (NeuralEffect* throttle = policy->SliderEffect()) {
            throttle->SetTargetInput(record.input);
            throttle->SetLaggedInput(record.outputThrottle);
            throttle->SetNoJump(true);
        }
    }
}

void SaveGameManager::RestoreGrudges(const SavedGame& saved) {
    for (const SavedGrudge& record : saved.grudges) {
        Assert(record.decay >= 0.0f, kSource, __LINE__);
        Grudge* grudge = CreateGrudge(record.neuron.name, record.neuron.value, record.decay);
        grudge->SetIdentifier(record.neuron.identifier);
        // An empty target is a grudge saved after an earlier load lost its
        // target; looking the empty name up would tie it to a nameless neuron.
        Neuron* target = record.target.empty() ? nullptr : Network::FindByName(record.target);
        if (target) {
            Network::CreateEffect(grudge, target, "0+(1.0*x)", 1.0f, 1.0f);
        } else if (!record.target.empty()) {
            ReportDataProblem(DataSeverity::Warning,
                              {saved.path, record.targetLine, record.neuron.name, "target"},
                              "Failed to find grudge target", kSource, __LINE__);
        }
        grudge->Propagate();
    }
}

void SaveGameManager::RestoreAnger(const SavedGame& saved) {
    OppositionManager& opposition = OppositionManager::Instance();
    for (const SavedAnger& record : saved.anger) {
        Neuron* neuron = Network::FindByIdentifier(record.typeIdentifier);
        OppositionGroup* group = neuron ? opposition.FindGroup(*neuron) : nullptr;
        if (!group) {
            // The classic game ended here with "Missing neuron"; a group that
            // left the data is no reason to lose the rest of the save.
            ReportDataProblem(DataSeverity::Error, {saved.path, record.line, "", "type"},
                              "no voter group with that identifier any more; record skipped",
                              kSource, __LINE__);
            continue;
        }
        group->Restore(record.anger, record.warned, record.cooldown);
    }
}

void SaveGameManager::RestoreAccounts(const SavedGame& saved) {
    Finances& finances = Finances::Instance();
    if (saved.finances) {
        const SavedGame::Accounts& f = *saved.finances;
        finances.Restore(f.reserves, f.expenses, f.income, f.interest, f.debt);
        finances.SetGraphMaximum(f.graphMaximum);
    }
    for (int i = 0; i < Finances::kHistoryLength; ++i) {
        const auto at = static_cast<size_t>(i);
        auto entry = [at](const std::vector<float>& saved, const auto& current) {
            return at < saved.size() ? saved[at] : current[at];
        };
        finances.SetHistoryEntry(i, entry(saved.incomeHistory, finances.IncomeHistory()),
                                 entry(saved.expenditureHistory, finances.ExpenditureHistory()),
                                 entry(saved.debtHistory, finances.DebtHistory()));
    }
    finances.UpdateDebtNeuron();
    if (saved.polls) {
        const SavedGame::PollValues& p = *saved.polls;
        Polls::Instance().Restore(p.approval, p.potentialVote, p.peakApproval, p.peakVote);
        if (Neuron* winning = Network::WinningNeuron()) {
            winning->SetValue(p.potentialVote);
            winning->MarkChanged();
        }
    }
    for (const SavedGame::DilemmaFlag& flag : saved.dilemmas) {
        if (Dilemma* dilemma = DilemmaManager::Instance().FindDilemma(flag.name)) {
            dilemma->SetTriggered(flag.triggered);
        } else {
            ReportDataProblem(DataSeverity::Warning, {saved.path, flag.line, flag.name, "name"},
                              "no dilemma of that name any more; skipped", kSource, __LINE__);
        }
    }
    if (saved.election) Cynicism::Instance().SetCynicism(saved.election->cynicism);
}

void SaveGameManager::RestoreManifestoAndCongress(const SavedGame& saved) {
    Manifesto& manifesto = Manifesto::Instance();
    manifesto.ClearPledges();
    for (const SavedPledge& pledge : saved.pledges) {
        if (!manifesto.FindOption(pledge.neuronName, pledge.change)) {
            ReportDataProblem(DataSeverity::Warning,
                              {saved.path, pledge.line, pledge.neuronName, "Name"},
                              "no manifesto option for that pledge any more; it counts as kept",
                              kSource, __LINE__);
        }
        manifesto.RestorePledge(pledge.live ? Manifesto::Term::Live : Manifesto::Term::Next,
                                pledge.neuronName, pledge.change, pledge.initialValue);
    }
    USCongress& congress = USCongress::Instance();
    congress.SetUp(Mission::Instance().Name());
    if (!saved.congress) return;
    if (IsSeatText(saved.congress->upperSeats, USCongress::kUpperSeats) &&
        IsSeatText(saved.congress->lowerSeats, USCongress::kLowerSeats)) {
        congress.SetUpperSeats(saved.congress->upperSeats);
        congress.SetLowerSeats(saved.congress->lowerSeats);
        congress.SetChunk(saved.congress->chunk);
    } else {
        ReportDataProblem(
            DataSeverity::Error, {saved.path, 0, "[usacongress]", "senators"},
            "seats are not 100 and 435 characters of 0 and 1; the congress starts afresh", kSource,
            __LINE__);
    }
}

void SaveGameManager::FinishLoad(const SavedGame& saved) {
    if (saved.actionPoints)
        PoliticalCapital::Instance().Set(saved.actionPoints->perTurn, saved.actionPoints->left);
    // Restored identifiers came from the old game's counter; new neurons
    // start above all of them so an identifier still names one neuron.
    float highest = 0.0f;
    Network::ForEachNeuron(
        [&highest](Neuron& neuron) { highest = std::max(highest, neuron.Identifier()); });
    Network::SetIdentifierCounter(highest + 1.0f);
    GlobalEconomy* economy = Network::GlobalEconomyNeuron();
    if (economy && saved.economy) {
        economy->SetPhase(saved.economy->phase);
        economy->SetValue(saved.economy->value);
        economy->Propagate();
    }
    if (saved.randomState) GameRandom::SetState(*saved.randomState);
    Network::SetSettleMode(true);
}

void SaveGameManager::RestoreContinuation(const SavedGame& saved) {
    if (saved.continuation.empty()) return;
    std::string problem;
    if (!SaveGameContinuation::Apply(saved.continuation, &problem)) {
        ReportDataProblem(DataSeverity::Warning,
                          {saved.path, saved.continuation.front().first - 1, SaveGameContinuation::kHeader, ""},
                          "the exact state no longer matches the file or the data (" + problem +
                              "); the game goes on from the classic sections",
                          kSource, __LINE__);
        return;
    }
    // Every effect stands where it stood: nothing settles.
    Network::SetSettleMode(false);
}

void SaveGameManager::WriteSaveLog() {
    if (!logging_ || saveLog_.empty()) return;
    std::string error;
    if (!platform::WriteFileAtomically("savelog.txt", saveLog_, &error))
        Log("cannot write savelog.txt: " + error);
    saveLog_.clear();
}
