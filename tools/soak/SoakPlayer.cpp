// The soak player and the invariants it checks after every turn.
#include "SoakPlayer.h"

#include <cmath>
#include <filesystem>

#include "core/LinkedMode.h"
#include "core/SetupValues.h"
#include "core/TextUtilities.h"
#include "platform/FileSystem.h"
#include "politics/ElectionManager.h"
#include "politics/Policy.h"
#include "politics/PoliticalCapital.h"
#include "politics/Voter.h"
#include "politics/VoterManager.h"
#include "politics/VoterType.h"
#include "simulation/GameOptions.h"
#include "simulation/Network.h"
#include "simulation/PlayerInputRecorder.h"
#include "world/Calendar.h"
#include "world/Dilemma.h"
#include "world/DilemmaManager.h"
#include "world/Finances.h"
#include "world/Manifesto.h"
#include "world/OppositionManager.h"
#include "world/SaveGameManager.h"
#include "world/SaveGameWriter.h"

namespace {

constexpr const char* kSavePath = "data/savegames/soak.dedu";

// The line where two saved texts part, for the report.
std::string FirstDifference(const std::string& a, const std::string& b) {
    size_t line = 1, start = 0;
    for (size_t i = 0; i < std::min(a.size(), b.size()); ++i) {
        if (a[i] != b[i]) break;
        if (a[i] == '\n') ++line, start = i + 1;
    }
    const auto lineAt = [start](const std::string& text) {
        return text.substr(start, text.find('\n', start) - start);
    };
    return "line " + std::to_string(line) + ": '" + lineAt(a) + "' then '" + lineAt(b) + "'";
}

}  // namespace

SoakPlayer::SoakPlayer(SoakOptions options, std::FILE* progress)
    : options_(std::move(options)), progress_(progress), random_(options_.seed) {}

std::vector<std::string> SoakPlayer::DiscoverMissions() {
    std::vector<std::string> missions;
    for (int n = 1; platform::FileExists("data/missions/mission" + std::to_string(n) + ".txt"); ++n)
        missions.push_back("mission" + std::to_string(n));
    return missions;
}

int SoakPlayer::Roll(int below) {
    return below <= 1 ? 0 : std::uniform_int_distribution<int>(0, below - 1)(random_);
}

void SoakPlayer::Problem(const std::string& text) {
    ++report_.problemCount;
    if (report_.problems.size() >= options_.problemLimit) return;
    report_.problems.push_back(FormatText("%s turn %d: ", mission_.c_str(), Gameplaymanager::Instance().TurnNumber()) +
                               text);
}

void SoakPlayer::OpenManifestoChoice() {
    // Now and then the player promises something for the coming term.
    Manifesto& manifesto = Manifesto::Instance();
    const int options = static_cast<int>(manifesto.Options().size());
    for (int pledges = Roll(3); pledges > 0 && options > 0; --pledges) {
        if (manifesto.AddPledge(static_cast<size_t>(Roll(options)))) ++report_.pledges;
    }
}

void SoakPlayer::AnswerDilemma() {
    if (Dilemma* dilemma = DilemmaManager::Instance().PendingDilemma()) {
        dilemma->Choose(Roll(Dilemma::kOptionCount));
        ++report_.dilemmasAnswered;
    }
}

void SoakPlayer::ActRandomly() {
    const std::vector<Policy*>& all = Policy::AllPolicies();
    if (all.empty()) return;
    for (int actions = Roll(4); actions > 0; --actions) {
        Policy* policy = all[static_cast<size_t>(Roll(static_cast<int>(all.size())))];
        const int choice = Roll(10);
        // What the windows allow: new policies while capital lasts, only
        // cancellable ones cancelled.
        if (!policy->IsInForce()) {
            if (choice < 6 && PoliticalCapital::Instance().Left() > 0) {
                policy->Introduce();
                ++report_.introduced;
            }
        } else if (choice < 2 && policy->IsCancellable()) {
            policy->Cancel();
            ++report_.cancelled;
        } else if (choice < 8) {
            policy->SetSlider(static_cast<float>(Roll(101)) / 100.0f);
            ++report_.sliderMoves;
        }
    }
}

SoakReport SoakPlayer::Run() {
    SetLinkedMode(true);
    SetupValues::Instance().Load();
    for (int i = 0; i < GameOptions::kCount; ++i) GameOptions::Instance().Set(GameOptions::Default(i), i);
    Manifesto::Instance().LoadOptions();
    PlayerInputRecorder::Instance().SetEnabled(false);
    SaveGameManager::Instance().SetLogging(false);
    SaveGameManager::Instance().SetProblemListener(
        [this](const SaveGameProblem& problem) { Problem("save or load failed: " + problem.detail); });
    Gameplaymanager::Instance().SetListener(this);
    cyclesSeen_ = Network::ReportedCycleCount();
    report_.missions = options_.missions.empty() ? DiscoverMissions() : options_.missions;
    for (size_t game = 0; !report_.missions.empty() && report_.turns < options_.turns; ++game) {
        PlayGame(report_.missions[game % report_.missions.size()]);
    }
    Gameplaymanager::Instance().SetListener(nullptr);
    ElectionManager::Instance().SetResultListener(nullptr);
    SaveGameManager::Instance().SetProblemListener(nullptr);
    return report_;
}

void SoakPlayer::PlayGame(const std::string& mission) {
    mission_ = mission;
    ++report_.games;
    Gameplaymanager& game = Gameplaymanager::Instance();
    ElectionManager& elections = ElectionManager::Instance();
    bool electionHeld = false;
    elections.SetResultListener([&electionHeld](float) { electionHeld = true; });
    game.StartGame(mission);
    population_ = VoterManager::Instance().PopulationTotal();
    const int firstTurn = report_.turns;
    std::string end = "stopped";
    while (report_.turns < options_.turns) {
        if (report_.turns - firstTurn >= options_.turnsPerGame) {
            end = "made way for the next country";
            break;
        }
        AnswerDilemma();
        ActRandomly();
        debtBefore_ = Finances::Instance().Debt();
        reservesBefore_ = Finances::Instance().Reserves();
        electionHeld = false;
        const int turn = game.TurnNumber();
        game.NewTurn();
        if (game.TurnNumber() != turn + 1) Problem("the turn did not advance");
        ++report_.turns;
        CheckInvariants();
        if (OppositionManager::Instance().IsGovernmentOverthrown()) {
            ++report_.overthrown;
            end = "overthrown";
            break;
        }
        if (electionHeld) {
            if (elections.VoteShare() < 0.5f) {
                ++report_.electionsLost;
                if (!options_.playOn) {
                    end = "lost an election";
                    break;
                }
            } else {
                ++report_.electionsWon;
            }
            // What closing the results window does.
            elections.ScheduleNextElection();
            Manifesto::Instance().StartTerm();
        }
        // Checked once the results window would have closed.
        const int monthsToElection = elections.MonthsToElection();
        if (monthsToElection <= 0) Problem("the next election is " + std::to_string(-monthsToElection) + " months past");
        if (options_.saveEvery > 0 && game.TurnNumber() % options_.saveEvery == 0) CheckSaveRoundTrip();
    }
    if (progress_) {
        std::fprintf(progress_, "game %d %s: %s after %d turns (%d in all)\n", report_.games, mission.c_str(),
                     end.c_str(), report_.turns - firstTurn, report_.turns);
        std::fflush(progress_);
    }
}

void SoakPlayer::CheckInvariants() {
    CheckFiniteValues();
    if (Network::ReportedCycleCount() > cyclesSeen_) {
        cyclesSeen_ = Network::ReportedCycleCount();
        Problem("the network went round a cycle of effects (the log names it)");
    }
    CheckMoney();
    CheckPopulation();
}

void SoakPlayer::CheckFiniteValues() {
    Network::ForEachNeuron([this](Neuron& neuron) {
        if (!std::isfinite(neuron.Value())) Problem("neuron " + neuron.Name() + " holds a value that is not finite");
        for (const float entry : neuron.History()) {
            if (std::isfinite(entry)) continue;
            Problem("neuron " + neuron.Name() + " has a history entry that is not finite");
            break;
        }
    });
}

void SoakPlayer::CheckMoney() {
    const Finances& money = Finances::Instance();
    const float values[] = {money.Debt(), money.Reserves(), money.Income(), money.Expenses(), money.Interest()};
    for (const float value : values) {
        if (!std::isfinite(value)) return Problem("the accounts hold a number that is not finite");
    }
    if (money.Debt() < 0.0f || money.Reserves() < 0.0f) Problem("negative debt or reserves");
    if (money.Debt() > 0.0f && money.Reserves() > 0.0f) Problem("debt and reserves at once");
    // The turn books whole amounts: income pays off debt first, spending
    // comes out of the reserves first.
    const double before = double(debtBefore_) - double(reservesBefore_);
    const double expected = before + std::trunc(double(money.Expenses())) - std::trunc(double(money.Income()));
    const double now = double(money.Debt()) - double(money.Reserves());
    if (std::fabs(now - expected) > 2.0 + 1e-5 * std::fabs(expected)) {
        Problem(FormatText("the accounts moved by %.2f where income and spending say %.2f", now - before,
                           expected - before));
    }
    if (money.DebtHistory()[0] != money.Debt()) Problem("the debt history does not start at the debt");
}

void SoakPlayer::CheckPopulation() {
    const VoterManager& voters = VoterManager::Instance();
    const int total = voters.PopulationTotal();
    if (total != population_) Problem(FormatText("the population went from %d to %d", population_, total));
    if (total <= 0) return;
    for (const VoterType* type : voters.VoterTypes()) {
        int members = 0;
        for (const NeuralEffect* effect : type->Outputs()) members += effect->Target()->Kind() == NeuronKind::Voter;
        if (members > total) Problem(type->Name() + " has more members than there are voters");
        const float share = static_cast<float>(type->MemberCount()) / static_cast<float>(total);
        if (std::fabs(type->PercentageNeuron()->Value() - share) > 1e-6f)
            Problem(type->Name() + "'s share of the population is not its member count over the population");
    }
}

void SoakPlayer::CheckSaveRoundTrip() {
    ++report_.roundTrips;
    SaveGameManager& saves = SaveGameManager::Instance();
    const std::string saved = SaveGameWriter::Build();
    if (!saves.Save(kSavePath)) return;  // reported by the problem listener
    // Marks wait for the next recalculation by design; one recalculation
    // must clear every one of them. (The load below puts back the saved
    // state, so this does not steer the game.)
    Network::RecalculateAll();
    if (const int marked = Network::CountChanged())
        Problem(std::to_string(marked) + " neurons still marked changed after a whole recalculation");
    if (!saves.LoadFile(kSavePath)) return;
    const std::string again = SaveGameWriter::Build();
    if (again != saved) Problem("a loaded game saves differently: " + FirstDifference(saved, again));
    if (VoterManager::Instance().PopulationTotal() != population_) Problem("the load changed the population");
    CheckFiniteValues();
}
