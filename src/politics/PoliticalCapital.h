// The number of new policies the player may introduce in a turn, computed
// from the last election's vote share and the houses held.
#pragma once

class PoliticalCapital {
public:
    static PoliticalCapital& Instance();

    // base = trunc((vote share - 0.5) x 10); halved when a house is lost;
    // never below 2. Refills what is left.
    void Compute(float lastVoteShare, bool bothHousesHeld);
    void Refill() { left_ = perTurn_; }

    // Takes one point; never below 0, and nothing while a saved game is
    // being loaded (its policies are put back into force for free).
    void SpendOne();
    void SetSpendingSuspended(bool suspended) { suspended_ = suspended; }

    int PerTurn() const { return perTurn_; }
    int Left() const { return left_; }
    void Set(int perTurn, int left) {
        perTurn_ = perTurn;
        left_ = left;
    }

private:
    PoliticalCapital() = default;
    int perTurn_ = 2;
    int left_ = 2;
    bool suspended_ = false;
};
