// Building saved-game text from the running game.
#include "world/SaveGameWriter.h"

#include "core/GameRandom.h"
#include "core/TextUtilities.h"
#include "engine/Diagnostics.h"
#include "politics/ElectionManager.h"
#include "politics/Policy.h"
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
#include "simulation/NeuralEffect.h"
#include "simulation/Simulation.h"
#include "simulation/SliderInput.h"
#include "world/Calendar.h"
#include "world/Cynicism.h"
#include "world/Dilemma.h"
#include "world/DilemmaManager.h"
#include "world/Finances.h"
#include "world/Gameplaymanager.h"
#include "world/Grudge.h"
#include "world/Manifesto.h"
#include "world/SaveGameContinuation.h"
#include "world/OppositionManager.h"

namespace {

// Six decimals, in the C locale whatever the player's.
std::string Decimal(float value) {
    return FormatText("%f", static_cast<double>(value));
}

}  // namespace

std::string SaveGameWriter::Build() {
    SaveGameWriter writer;
    // About 40 bytes per voter and a few hundred per neuron record.
    writer.text_.reserve(64 * 1024 + 48 * VoterManager::Instance().Population().size());
    writer.WriteGame();
    writer.WriteVoters();
    writer.WriteNeurons();
    writer.WriteGrudges();
    writer.WriteAnger();
    writer.WriteFinances();
    writer.WritePolls();
    writer.WriteDilemmas();
    writer.WriteManifesto();
    writer.WriteCongress();
    // Two sections the classic game lacked, after all of its own: where the
    // world economy stands in its cycle (a load used to restart the cycle,
    // moving GDP), and the generator's state, so a game loaded at turn k
    // draws the random numbers it would have drawn.
    if (const GlobalEconomy* economy = Network::GlobalEconomyNeuron()) {
        writer.Header("[globaleconomy]");
        writer.Line("phase=" + Decimal(economy->Phase()));
        writer.Line("value=" + Decimal(economy->Value()));
    }
    writer.Header("[random]");
    writer.Line(FormatText("state=%u", GameRandom::State()));
    // Last, so that every reader of the classic sections is done before it.
    writer.Header(SaveGameContinuation::kHeader);
    writer.text_ += SaveGameContinuation::Build();
    return std::move(writer.text_);
}

// Every header follows an empty line, which readers use to see where a
// section ends.
void SaveGameWriter::Header(const char* header) {
    text_ += '\n';
    text_ += header;
    text_ += '\n';
}

void SaveGameWriter::Line(const std::string& line) {
    text_ += line;
    text_ += '\n';
}

void SaveGameWriter::NeuronBlock(const Neuron& neuron) {
    Line("name=" + neuron.Name());
    Line("id=" + Decimal(neuron.Identifier()));
    Line("value=" + Decimal(neuron.Value()));
}

void SaveGameWriter::HistoryLine(const Neuron& neuron) {
    text_ += "history = ";
    for (float entry : neuron.History()) text_ += FormatText("%.2f,", static_cast<double>(entry));
    text_ += '\n';
}

void SaveGameWriter::WriteGame() {
    const Gameplaymanager& game = Gameplaymanager::Instance();
    const Calendar& calendar = Calendar::Instance();
    const Mission& mission = Mission::Instance();
    Header("[game]");
    Line(FormatText("currentturn=%d", game.TurnNumber()));
    Line(FormatText("turnstoelection=%d", game.TurnsToElection()));
    Line(FormatText("currentmonth=%d", calendar.GetMonth()));
    Line(FormatText("currentyear=%d", calendar.GetYear()));
    Line("country=" + mission.Name());

    const ElectionManager& elections = ElectionManager::Instance();
    Header("[election]");
    Line(FormatText("nextmonth=%d", elections.ElectionMonth()));
    Line(FormatText("nextyear=%d", elections.ElectionYear()));
    Line(FormatText("ElectionsWon=%d", elections.ElectionsWon()));
    Line("cynicism=" + Decimal(Cynicism::Instance().GetCynicism()));

    const PoliticalCapital& capital = PoliticalCapital::Instance();
    Header("[actionpoints]");
    Line(FormatText("actionptsperturn=%d", capital.PerTurn()));
    Line(FormatText("actionptsleft=%d", capital.Left()));

    Header("[mission]");
    Line("PopulationModifier=" + Decimal(mission.Population()));
    Line("WealthModifier=" + Decimal(mission.Wealth()));
    Line("FlagName=" + mission.Flag());
    Line("Matrix=" + mission.Matrix());
    Line("CountryName=" + mission.Name());
}

void SaveGameWriter::WriteVoters() {
    text_ += '\n';
    Header("[voters]");
    for (const Voter* voter : VoterManager::Instance().Population()) {
        for (const NeuralEffect* membership : voter->Inputs()) {
            const Neuron* source = membership->Source();
            if (source->Kind() != NeuronKind::VoterType) continue;
            text_ += source->Name();
            text_ += ',';
        }
        text_ += '\n';
    }
}

void SaveGameWriter::WriteNeurons() {
    for (const VoterType* type : VoterManager::Instance().VoterTypes()) {
        Header("[votertype]");
        NeuronBlock(*type);
        HistoryLine(*type);
    }
    for (const Simulation* value : SimulationManager::Instance().Values()) {
        Header("[simulation]");
        NeuronBlock(*value);
        HistoryLine(*value);
    }
    for (const Situation* situation : SituationManager::Instance().Situations()) {
        Header("[situation]");
        NeuronBlock(*situation);
        Line(FormatText("active=%d", situation->IsActive() ? 1 : 0));
    }
    for (const Policy* policy : Policy::AllPolicies()) {
        Header("[policy]");
        NeuronBlock(*policy);
        Line(FormatText("active=%d", policy->IsInForce() ? 1 : 0));
        Line("input=" + Decimal(policy->Slider()));
        Line("implementation = " + Decimal(policy->Implementation()));
        const NeuralEffect* throttle = policy->SliderEffect();
        Line("outputthrottle = " + Decimal(throttle ? throttle->LaggedInput() : policy->Value()));
    }
}

void SaveGameWriter::WriteGrudges() {
    for (const Grudge* grudge : GrudgeList()) {
        Header("[grudge]");
        NeuronBlock(*grudge);
        Line("decay=" + Decimal(grudge->Decay()));
        // A grudge acts on one neuron; the save names it. One whose target
        // was gone when a save was loaded acts on none (reported then) and
        // is written with an empty target, not reported at every save.
        Assert(grudge->Outputs().size() <= 1, "SaveGameManager", __LINE__);
        Line("target=" + (grudge->Outputs().empty() ? std::string()
                                                    : grudge->Outputs().front()->Target()->Name()));
    }
}

void SaveGameWriter::WriteAnger() {
    for (const OppositionGroup& group : OppositionManager::Instance().Groups()) {
        Header("[angerdata]");
        Line("type=" + Decimal(group.Group().Identifier()));
        Line(FormatText("warned=%d", group.IsWarned() ? 1 : 0));
        Line(FormatText("sparse=%d", group.Cooldown()));
        Line("anger=" + Decimal(group.Anger()));
    }
}

void SaveGameWriter::WriteFinances() {
    const Finances& finances = Finances::Instance();
    Header("[finances]");
    Line("nationaldebt = " + Decimal(finances.Debt()));
    Line("currentbalance = " + Decimal(finances.Reserves()));
    Line("monthlyexpenses = " + Decimal(finances.Expenses()));
    Line("monthlyincome = " + Decimal(finances.Income()));
    Line("monthlyinterest = " + Decimal(finances.Interest()));
    Line("historypeak = " + Decimal(finances.GraphMaximum()));
    Header("[incomehistory]");
    for (float entry : finances.IncomeHistory()) Line(Decimal(entry));
    Header("[expenditurehistory]");
    for (float entry : finances.ExpenditureHistory()) Line(Decimal(entry));
    Header("[debthistory]");
    for (float entry : finances.DebtHistory()) Line(Decimal(entry));
}

void SaveGameWriter::WritePolls() {
    const Polls& polls = Polls::Instance();
    Header("[polls]");
    Line("totalapproval = " + Decimal(polls.Approval()));
    Line("potentialvote = " + Decimal(polls.PotentialVote()));
    Line("peakvote = " + Decimal(polls.PeakVote()));
    Line("peakapproval = " + Decimal(polls.PeakApproval()));
}

void SaveGameWriter::WriteDilemmas() {
    Header("[dilemmas]");
    for (const Dilemma* dilemma : DilemmaManager::Instance().Dilemmas()) {
        Line(dilemma->Name() + FormatText("=%d", dilemma->IsTriggered() ? 1 : 0));
    }
}

void SaveGameWriter::WriteManifesto() {
    const Manifesto& manifesto = Manifesto::Instance();
    const std::pair<const char*, const std::vector<ManifestoPledge>*> terms[] = {
        {"[manifesto live]", &manifesto.LivePledges()},
        {"[manifesto next]", &manifesto.NextPledges()}};
    for (const auto& [header, pledges] : terms) {
        for (const ManifestoPledge& pledge : *pledges) {
            // A pledge whose option left the data has no name to keep; it
            // always counts as kept, so dropping it changes nothing.
            if (!pledge.option) continue;
            Header(header);
            Line("Name=" + pledge.option->neuronName);
            Line("Change=" + Decimal(pledge.change));
            Line("Initial=" + Decimal(pledge.initialValue));
        }
    }
}

void SaveGameWriter::WriteCongress() {
    const USCongress& congress = USCongress::Instance();
    Header("[usacongress]");
    Line("senators=" + congress.UpperSeatsText());
    Line("senators=" + congress.LowerSeatsText());
    Line(FormatText("chunk=%d", congress.Chunk()));
}
