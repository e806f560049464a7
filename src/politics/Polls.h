// The quarterly poll: approval (the mean opinion of all voters) and the
// potential vote (the share that would vote for the government now), with
// their histories and peaks.
#pragma once

#include <array>

class Polls {
public:
    static constexpr int kHistoryLength = 20;

    static Polls& Instance();

    // Measures both figures, makes news of large moves, feeds the potential
    // vote back through "_winning_", and shifts the histories.
    void TakePoll(int monthsToElection, bool manifestoBroken);

    float Approval() const { return approval_; }
    float PotentialVote() const { return potentialVote_; }
    float PeakApproval() const { return peakApproval_; }
    float PeakVote() const { return peakVote_; }
    const std::array<float, kHistoryLength>& ApprovalHistory() const { return approvalHistory_; }
    const std::array<float, kHistoryLength>& VoteHistory() const { return voteHistory_; }
    void Restore(float approval, float potentialVote, float peakApproval, float peakVote);
    void RestoreHistories(const std::array<float, kHistoryLength>& approval,
                          const std::array<float, kHistoryLength>& vote) {
        approvalHistory_ = approval;
        voteHistory_ = vote;
    }
    void Reset();

private:
    Polls() = default;
    float approval_ = 0.5f;
    float potentialVote_ = 0.5f;
    float peakVote_ = 0.0f;
    float peakApproval_ = 0.0f;
    std::array<float, kHistoryLength> approvalHistory_{};
    std::array<float, kHistoryLength> voteHistory_{};
};
