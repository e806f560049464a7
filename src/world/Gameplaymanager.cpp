// Game start and the new-turn sequence.
#include "world/Gameplaymanager.h"

#include "aids/Achievements.h"
#include "core/DataFiles.h"
#include "core/GameRandom.h"
#include "core/EnrolledManager.h"
#include "core/FieldReader.h"
#include "core/LinkedMode.h"
#include "core/LoadingProgress.h"
#include "core/SetupValues.h"
#include "core/TextFile.h"
#include "engine/DebugLog.h"
#include "engine/Diagnostics.h"
#include "politics/ElectionManager.h"
#include "politics/IssuesList.h"
#include "politics/PoliticalCapital.h"
#include "politics/Policy.h"
#include "politics/PolicyManager.h"
#include "politics/Polls.h"
#include "politics/SituationManager.h"
#include "politics/USCongress.h"
#include "politics/VoterManager.h"
#include "politics/VoterType.h"
#include "simulation/GameOptions.h"
#include "simulation/GlobalEconomy.h"
#include "simulation/Mission.h"
#include "simulation/Network.h"
#include "simulation/PlayerInputRecorder.h"
#include "simulation/Simulation.h"
#include "simulation/SliderInput.h"
#include "world/Calendar.h"
#include "world/Cynicism.h"
#include "world/DilemmaManager.h"
#include "world/EventManager.h"
#include "world/Finances.h"
#include "world/Grudge.h"
#include "world/Manifesto.h"
#include "world/OppositionManager.h"
#include "world/NewsList.h"
#include "world/SaveGameManager.h"

void GameplayListener::Autosave() { SaveGameManager::Instance().Autosave(); }

void GameplayListener::NextBackdrop() {
    Gameplaymanager::Instance().ProgressStep("Analayzing decisions", 0.1f);
}

Gameplaymanager& Gameplaymanager::Instance() {
    static Gameplaymanager manager;
    return manager;
}

Gameplaymanager::Gameplaymanager() : listener_(&defaultListener_) {}

void Gameplaymanager::SetListener(GameplayListener* listener) { listener_ = listener ? listener : &defaultListener_; }

void Gameplaymanager::ProgressStep(std::string_view label, float fraction) {
    Log(label);
    ReportLoadingProgress(label, progress_);
    progress_ += fraction;
    if (progress_ > 1.0f) progress_ = 0.0f;
}

void Gameplaymanager::ApplyMission(const std::string& path) {
    const auto file = TextFile::Open(path);
    if (!file) ReportFailure("Missing mission", "Mission", __LINE__);
    if (file) {
        bool inPolicies = false;
        FieldReader fields;
        for (const std::string& line : file->Lines()) {
            if (!inPolicies) {
                inPolicies = line.find("[policies]") != std::string::npos;
                continue;
            }
            fields.SetText(line);
            const std::string name = fields.NextField();
            Policy* policy = Policy::FindPolicy(name);
            if (!policy) continue;  // a policy this data set lacks is no reason to stop
            policy->Introduce();
            policy->SetSlider(fields.NextFloat());
            policy->SetImplementation(1.0f);
        }
    }
    Policy::IntroduceAllMandatory();
    Mission& mission = Mission::Instance();
    mission.Load(path);
    Calendar::Instance().SetDate(mission.Month(), mission.Year());
    if (Neuron* unemployment = Network::FindByName("Unemployment")) unemployment->SetBaseValue(mission.Unemployment());
    if (auto* religious = VoterManager::Instance().FindVoterType("Religious")) {
        religious->SetInitialPercentage(mission.Religion());
    }
    if (mission.Environmentalist() != -1.0f) {
        if (auto* green = VoterManager::Instance().FindVoterType("Environmentalist")) {
            green->SetInitialPercentage(mission.Environmentalist());
        }
    }
    if (Policy* military = Policy::FindPolicy("MilitarySpending")) military->Input()->SetValue(mission.MilitarySpending());
    ElectionManager::SetInterval(12 * mission.TermLength());
}

void Gameplaymanager::StartGame(std::string_view missionName) {
    seed_ = GameRandom::State();
    Network::SetSettleMode(true);
    listener_->CloseTurnWindows();
    listener_->SetPointerHidden(true);
    const std::string path = "data/missions/" + std::string(missionName) + ".txt";
    ClearGrudgeList();
    listener_->ShowLoadingScreen();
    loadingFinished_ = false;
    listener_->NextBackdrop();
    ProgressStep("Initialising game", 0.05f);

    SetLinkedMode(false);
    EnrolledManager::ResetAll();
    Network::DeleteAllNeurons();
    Network::DeleteAllEffects();
    SetLinkedMode(true);
    Network::CreateSpecialNeurons();
    NewsList::Instance().Reset();

    const SetupValues& setup = SetupValues::Instance();
    VoterManager::Instance().LoadVoterTypes(setup.GetSetupString("voters"));
    SimulationManager::Instance().LoadValues(setup.GetSetupString("simulation"));
    PolicyManager::Instance().Init();
    SituationManager::Instance().LoadSituations();
    EventManager::Instance().LoadEvents();
    ApplyMission(path);
    DilemmaManager::Instance().Reload();
    Finances::Instance().ResetAccounts();
    if (GlobalEconomy* economy = Network::GlobalEconomyNeuron()) economy->Start();
    turnNumber_ = 0;
    turnsToElection_ = 0;
    VoterManager::Instance().CreatePopulation(Mission::Instance().Matrix());
    ElectionManager::Instance().ResetResults();
    ElectionManager::Instance().ScheduleNextElection();
    USCongress::Instance().SetUp(Mission::Instance().Name());
    OppositionManager::Instance().ResetAnger();
    Cynicism::Instance().ResetCynicism();
    Polls::Instance().Reset();

    NewTurn();
    Network::ResetAllHistories();
    IssuesList::Instance().Clear();
    listener_->ShowMainScreen();
    if (setup.GetSetupFloat("showmatrix") > 0.0f) listener_->OpenVoterMatrix();
    listener_->SetPointerHidden(false);
    PoliticalCapital::Instance().Compute(ElectionManager::Instance().VoteShare(),
                                         USCongress::Instance().HoldsLowerHouse() &&
                                             USCongress::Instance().HoldsUpperHouse());
    Manifesto::Instance().ClearPledges();
}

void Gameplaymanager::NewTurn() {
    if (listener_->IsModalDialogOpen()) return;
    loadingFinished_ = false;
    PlayerInputRecorder::Instance().RecordNextTurn();
    Log("==========================================Processing new turn====================================");
    listener_->CloseTurnWindows();
    if (turnNumber_ > 0) listener_->NextBackdrop();
    listener_->ShowLoadingScreen();
    ++turnNumber_;
    IssuesList::Instance().Clear();
    NewsList::Instance().ClearNews();

    USCongress& congress = USCongress::Instance();
    PolicyManager::Instance().AdvanceImplementation(congress.HoldsLowerHouse(), congress.HoldsUpperHouse());
    ProgressStep("Rebuilding voters", 0.1f);
    VoterManager::Instance().UpdateTrends();
    if (GlobalEconomy* economy = Network::GlobalEconomyNeuron()) economy->Turn();
    UpdateGrudges();
    EventManager::Instance().CheckEvents();
    ProgressStep("Neural Effects updating", 0.1f);
    Network::UpdateAllEffects();
    ProgressStep("processing neural network", 0.1f);
    Network::RecalculateAll();
    if (Network::IsSettleMode()) SituationManager::Instance().SettleThresholds();
    ProgressStep("processing polls", 0.1f);
    ElectionManager& elections = ElectionManager::Instance();
    const bool manifestoBroken = Manifesto::Instance().IsBroken();
    Polls::Instance().TakePoll(elections.MonthsToElection(), manifestoBroken);
    // The record is the best approval, the figure the achievements screen
    // names, not the voting intention measured beside it.
    const bool counts = !Mission::Instance().IsPractice();
    if (counts) Achievements::Instance().RecordApproval(Polls::Instance().Approval());
    Network::RecalculateAll();
    Network::ShiftAllHistories();
    ProgressStep("calculating policy priorities", 0.1f);
    PolicyManager::Instance().UpdatePolicyPriorities();
    Assert(Network::CountChanged() == 0, "Gameplaymanager", __LINE__);
    ProgressStep("updating simulation data", 0.1f);
    ProgressStep("processing voters", 0.2f);
    VoterManager::Instance().PassOnMoods();
    OppositionManager::Instance().UpdateOpposition();
    if (turnNumber_ > 1) {
        ProgressStep("assesing dilemmas", 0.1f);
        DilemmaManager::Instance().CheckDilemmas();
    }
    Finances::Instance().UpdateTurn(turnNumber_);
    for (int month = 0; month < 3; ++month) Calendar::Instance().NextMonth();
    if (elections.CheckElection(Manifesto::Instance().IsBroken()) && counts) {
        Achievements::Instance().RecordElection(elections.VoteShare(), elections.ElectionsWon());
    }
    if (congress.MidtermCheck(elections.MonthsSinceLastElection(), Polls::Instance().Approval())) {
        listener_->OpenMidtermResults();
    }
    Cynicism::Instance().UpdateCynicism(elections.MonthsToElection(), ElectionManager::Interval(), turnNumber_);
    PoliticalCapital::Instance().Refill();
    Manifesto::Instance().CheckPledges();
    Network::SetSettleMode(false);
    loadingFinished_ = true;
    if (turnNumber_ == 1) {
        listener_->OpenStartDialog();
    } else {
        listener_->OpenQuarterlyReport();
    }
    if (counts) Achievements::Instance().CheckGoals();
    if (GameOptions::Instance().Get(GameOptions::kAutosave) != 0.0f) listener_->Autosave();
    if (elections.MonthsToElection() == 3 && GameOptions::Instance().Get(GameOptions::kIgnoreManifesto) == 0.0f) {
        listener_->OpenManifestoChoice();
    }
}
