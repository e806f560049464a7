// Elections.
#include "politics/ElectionManager.h"

#include "engine/Diagnostics.h"
#include "politics/PoliticalCapital.h"
#include "politics/Polls.h"
#include "politics/USCongress.h"
#include "politics/Voter.h"
#include "politics/VoterManager.h"
#include "politics/VoterType.h"
#include "simulation/Mission.h"
#include "world/Calendar.h"

namespace {
int g_interval = 48;
}

ElectionManager& ElectionManager::Instance() {
    static ElectionManager manager;
    return manager;
}

int ElectionManager::Interval() { return g_interval; }
void ElectionManager::SetInterval(int months) { g_interval = months > 0 ? months : 48; }

void ElectionManager::ResetResults() {
    voteShare_ = 0.5f;
    won_ = 0;
}

void ElectionManager::ScheduleNextElection() {
    const Calendar& calendar = Calendar::Instance();
    year_ = calendar.GetYear() + g_interval / 12;
    month_ = calendar.GetMonth() + (g_interval - 12 * (g_interval / 12));
    // An interval that is not a whole number of years can carry the month
    // past December; carried into the next year, or the election would
    // never come round.
    if (month_ > 11) {
        month_ -= 12;
        ++year_;
    }
    Assert(month_ >= 0 && month_ <= 11 && year_ >= 0, "ElectionManager", __LINE__);
}

bool ElectionManager::IsElectionDue() const {
    const Calendar& calendar = Calendar::Instance();
    return calendar.GetMonth() == month_ && calendar.GetYear() == year_;
}

int ElectionManager::MonthsToElection() const {
    const Calendar& calendar = Calendar::Instance();
    return (year_ - calendar.GetYear()) * 12 + (month_ - calendar.GetMonth());
}

float ElectionManager::TermElapsed() const {
    return 1.0f - static_cast<float>(MonthsToElection()) / static_cast<float>(g_interval);
}

bool ElectionManager::CheckElection(bool manifestoBroken) {
    if (!IsElectionDue()) return false;
    HoldElection(manifestoBroken);
    return true;
}

void ElectionManager::HoldElection(bool manifestoBroken) {
    const int monthsToElection = MonthsToElection();
    voteShare_ = ::VoteShare(monthsToElection, manifestoBroken);
    if (voteShare_ > 0.5f) ++won_;
    VoterManager& voters = VoterManager::Instance();
    for (VoterType* type : voters.VoterTypes()) voters.CountSupporters(*type, monthsToElection, manifestoBroken);
    USCongress::Instance().HoldCongressElections(Polls::Instance().Approval());
    if (listener_) listener_(voteShare_);
    PoliticalCapital::Instance().Compute(voteShare_, USCongress::Instance().HoldsLowerHouse() &&
                                                         USCongress::Instance().HoldsUpperHouse());
}

std::pair<int, int> ElectionManager::CountForDisplay(float fraction, bool manifestoBroken) const {
    VoterManager& voters = VoterManager::Instance();
    const int n = static_cast<int>(static_cast<float>(voters.PopulationTotal()) * fraction);
    int inFavour = 0;
    int against = 0;
    const int monthsToElection = MonthsToElection();
    for (Voter* voter : voters.Population()) {
        if (inFavour + against >= n) break;
        if (voters.VotesForGovernment(*voter, monthsToElection, manifestoBroken)) {
            ++inFavour;
        } else {
            ++against;
        }
    }
    const float scale = Mission::Instance().Population();
    return {static_cast<int>(static_cast<float>(inFavour) * scale),
            static_cast<int>(static_cast<float>(against) * scale)};
}

float VoteShare(int monthsToElection, bool manifestoBroken) {
    VoterManager& voters = VoterManager::Instance();
    // A modded matrix may leave nobody to ask: then nobody is for us.
    if (voters.Population().empty()) return 0.0f;
    float inFavour = 0.0f;
    float all = 0.0f;
    for (Voter* voter : voters.Population()) {
        if (voters.VotesForGovernment(*voter, monthsToElection, manifestoBroken)) inFavour += 1.0f;
        all += 1.0f;
    }
    return inFavour / all;
}
