// When the next election is, holding it, and its result. More than half the
// votes keeps the government in office for another term.
#pragma once

#include <functional>

class ElectionManager {
public:
    static ElectionManager& Instance();

    // Months between general elections (48 unless the mission says otherwise).
    static int Interval();
    static void SetInterval(int months);

    // One interval ahead of the calendar.
    void ScheduleNextElection();
    bool IsElectionDue() const;
    int MonthsToElection() const;
    int MonthsSinceLastElection() const { return Interval() - MonthsToElection(); }
    // 0 just after an election, near 1 just before the next.
    float TermElapsed() const;

    // After the calendar moved on: holds the election when it is due.
    // Returns true when one was held.
    bool CheckElection(bool manifestoBroken);
    // Counts the votes, lets every group count its supporters, elects the
    // houses of congress, tells the listener and recomputes political capital.
    void HoldElection(bool manifestoBroken);

    // The first fraction f of the population counted, for the results window:
    // (for, against), each scaled by the mission's population and truncated.
    std::pair<int, int> CountForDisplay(float fraction, bool manifestoBroken) const;

    float VoteShare() const { return voteShare_; }
    void SetVoteShare(float share) { voteShare_ = share; }
    int ElectionMonth() const { return month_; }
    int ElectionYear() const { return year_; }
    int ElectionsWon() const { return won_; }
    void Restore(int month, int year, int won) {
        month_ = month;
        year_ = year;
        won_ = won;
    }
    void ResetResults();

    // The results window opens here.
    void SetResultListener(std::function<void(float share)> listener) { listener_ = std::move(listener); }

private:
    ElectionManager() = default;
    float voteShare_ = 0.5f;
    int month_ = 0;
    int year_ = 0;
    int won_ = 0;
    std::function<void(float)> listener_;
};

// The share of the population that would vote for the government now.
float VoteShare(int monthsToElection, bool manifestoBroken);
