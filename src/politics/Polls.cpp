// The quarterly poll.
#include "politics/Polls.h"

#include <algorithm>
#include <cmath>

#include "core/GameRandom.h"
#include "core/LoadingProgress.h"
#include "core/TextUtilities.h"
#include "politics/ElectionManager.h"
#include "politics/Voter.h"
#include "politics/VoterManager.h"
#include "simulation/Network.h"
#include "world/NewsList.h"
#include "world/StringTable.h"

namespace {

void ReportMove(float before, float after, const char* upKey, const char* downKey) {
    const float d = std::fabs(after - before);
    const std::string params = FormatText("CHANGEPERCENT=%.2f,NAME", static_cast<double>(100.0f * d));
    const std::string text = FormatString(after > before ? upKey : downKey, params);
    if (d > 0.1f) NewsList::Instance().AddNews(text, d);
}

template <size_t N>
void Shift(std::array<float, N>& history, float newest) {
    std::copy_backward(history.begin(), history.end() - 1, history.end());
    history[0] = newest;
}

}  // namespace

Polls& Polls::Instance() {
    static Polls polls;
    return polls;
}

void Polls::Reset() { *this = Polls(); }

void Polls::Restore(float approval, float potentialVote, float peakApproval, float peakVote) {
    approval_ = approval;
    potentialVote_ = potentialVote;
    peakApproval_ = peakApproval;
    peakVote_ = peakVote;
}

void Polls::TakePoll(int monthsToElection, bool manifestoBroken) {
    ReportLoadingProgress("Counting Votes...", 0.0f);
    const float oldApproval = approval_;
    const float oldVote = potentialVote_;
    const auto& population = VoterManager::Instance().Population();
    float sum = 0.0f;
    for (Voter* voter : population) sum += voter->Opinion();
    // With nobody to ask the mean is taken as 0 rather than dividing by zero.
    approval_ = population.empty() ? 0.0f : sum / static_cast<float>(population.size());
    potentialVote_ = VoteShare(monthsToElection, manifestoBroken);

    ReportMove(oldApproval, approval_, "NEWS_APPROVAL_UP", "NEWS_APPROVAL_DOWN");
    ReportMove(oldVote, potentialVote_, "NEWS_VOTING_UP", "NEWS_VOTING_DOWN");

    if (Neuron* winning = Network::WinningNeuron()) {
        winning->SetValue(potentialVote_);
        winning->MarkChanged();
    }
    // The first poll of a game gives the graphs a plausible past.
    if (Network::IsSettleMode()) {
        for (float& entry : approvalHistory_) entry = approval_ + GameRandom::Uniform(-0.02f, 0.02f);
        for (float& entry : voteHistory_) entry = potentialVote_ + GameRandom::Uniform(-0.02f, 0.02f);
    }
    Shift(approvalHistory_, approval_);
    Shift(voteHistory_, potentialVote_);
    peakApproval_ = std::max(peakApproval_, approval_);
    peakVote_ = std::max(peakVote_, potentialVote_);
}
