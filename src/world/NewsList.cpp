// News items and the per-turn change reports.
#include "world/NewsList.h"

#include <algorithm>
#include <cmath>

#include "core/TextUtilities.h"
#include "engine/Diagnostics.h"
#include "politics/ElectionManager.h"
#include "politics/Polls.h"
#include "politics/VoterType.h"
#include "simulation/GlobalEconomy.h"
#include "simulation/Network.h"
#include "world/Finances.h"
#include "simulation/Simulation.h"
#include "world/Grudge.h"
#include "world/StringTable.h"

namespace {

std::string KindWord(const Neuron& neuron) {
    switch (neuron.Kind()) {
        case NeuronKind::SimulationValue:
            return "SIMVALUE";
        case NeuronKind::VoterType:
            return "VOTERTYPE";
        default:
            return "";
    }
}

std::string CauseWord(const Neuron& cause) {
    switch (cause.Kind()) {
        case NeuronKind::Situation:
            return "_DUESITUATION";
        case NeuronKind::SimulationValue:
            return cause.Value() >= cause.History()[1] ? "_DUESIMUP" : "_DUESIMDOWN";
        case NeuronKind::Policy:
            return "_DUEPOL";
        case NeuronKind::Event:
            return "_DUEEVENT";
        default:
            return "";
    }
}

}  // namespace

NewsList& NewsList::Instance() {
    static NewsList list;
    return list;
}

NewsList::NewsList() {
    Simulation::SetTurnListener([this](Simulation& value) { ReportChange(value); });
    VoterType::SetTurnListener([this](VoterType& type) { ReportChange(type); });
}

void NewsList::AddNews(std::string text, float importance) {
    auto at = std::find_if(items_.begin(), items_.end(),
                           [importance](const NewsItem& item) { return item.importance < importance; });
    items_.insert(at, NewsItem{std::move(text), importance});
}

void NewsList::ReportChange(Neuron& neuron) {
    const float now = std::clamp(neuron.Value(), 0.0f, 1.0f);
    const float before = std::clamp(neuron.History()[1], 0.0f, 1.0f);
    const float change = std::fabs(now - before);
    if (change <= 0.1f) return;
    Neuron* cause = neuron.MainCause();
    if (cause && cause->Kind() == NeuronKind::Grudge) {
        const auto* grudge = static_cast<const Grudge*>(cause);
        if (grudge->Age() > 2) {
            Trace("Reports", "grude outdated for reports: " + grudge->Name(), grudge->Age());
            return;
        }
        cause = grudge->Owner();
    }
    const std::string causeName = cause ? cause->DisplayName() : "UNKNOWN";
    const std::string params = FormatText("CHANGEPERCENT=%.2f,NAME=%s,CAUSE=%s,", static_cast<double>(change * 100.0f),
                                          neuron.DisplayName().c_str(), causeName.c_str());
    std::string key = "NEWS_" + KindWord(neuron) + (now < before ? "_DOWN" : "_UP");
    if (cause) key += CauseWord(*cause);
    AddNews(FormatString(key, params), change);
}

std::string NewsList::BuildReport(unsigned variant) const {
    const Polls& polls = Polls::Instance();
    const std::string intro = GetGradedString(polls.Approval(), "report_intro");
    const float vote = polls.PotentialVote();
    const std::string statement1 = GetVariedString(vote < 0.45f   ? "REPORT_SUMMARY_LOWAPPROVAL"
                                                   : vote > 0.7f ? "REPORT_SUMMARY_HIGHAPPROVAL"
                                                                 : "REPORT_SUMMARY_AVERAGEAPPROVAL",
                                                   variant);
    const std::string statement2 =
        GetVariedString(Finances::Instance().GetDeficit() > 0.0f ? "REPORT_SUMMARY_DEFICIT" : "REPORT_SUMMARY_SURPLUS",
                        variant);
    const std::string statement3 = GetGradedString(ElectionManager::Instance().TermElapsed(), "report_election_time");
    const GlobalEconomy* economy = Network::GlobalEconomyNeuron();
    const std::string statement4 = GetGradedString(economy ? economy->Value() : 0.5f, "report_global_economy");
    std::string report = GetString("NEWS_REPORT_TEMPLATE");
    ReplaceFirst(report, "<INTRO>", intro);
    ReplaceFirst(report, "<STATEMENT1>", statement1);
    ReplaceFirst(report, "<STATEMENT2>", statement2);
    ReplaceFirst(report, "<STATEMENT3>", statement3);
    ReplaceFirst(report, "<STATEMENT4>", statement4);
    return report;
}
