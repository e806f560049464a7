// Tax-timing cynicism: voters grow cynical when taxes are cut just before an
// election or raised just after one, and every voter subtracts it from their
// opinion of the government.
#pragma once

class Cynicism {
  public:
    static Cynicism& Instance();

    // Game start, and loading a saved game before the saved value is read.
    void ResetCynicism() { cynicism_ = 0.0f; }
    float GetCynicism() const { return cynicism_; }
    // Restores the value of a saved game.
    void SetCynicism(float value) { cynicism_ = value; }

    // Once a turn. Months since the last election are the interval minus
    // the months still to go.
    void UpdateCynicism(int monthsToElection, int electionIntervalMonths, int turnNumber);

  private:
    Cynicism() = default;
    float cynicism_ = 0.0f;
};
