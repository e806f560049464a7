// The congress model of one mission: a lower house of 435 seats and an
// upper house of 100 elected in thirds, with midterms halfway through the
// term. A government without a house phases policies in more slowly and
// gets less political capital.
#pragma once

#include <array>
#include <string>
#include <string_view>

class USCongress {
public:
    static constexpr int kUpperSeats = 100;
    static constexpr int kLowerSeats = 435;

    static USCongress& Instance();

    // On only for the country named exactly "USA"; draws the starting seats.
    void SetUp(std::string_view countryName);
    bool IsEnabled() const { return enabled_; }
    bool HoldsLowerHouse() const { return !enabled_ || lowerHeld_ >= 218; }
    bool HoldsUpperHouse() const { return !enabled_ || upperHeld_ >= 50; }

    // With a general election: a third of the upper house, then the lower.
    void HoldCongressElections(float approval);
    // Two years into the term: the same, and the midterm results are shown.
    bool MidtermCheck(int monthsSinceLastElection, float approval);
    void ElectLowerHouse(float approval);
    void ElectUpperHouse(float approval);

    int UpperSeatsHeld() const { return upperHeld_; }
    int LowerSeatsHeld() const { return lowerHeld_; }
    int Chunk() const { return chunk_; }
    void SetChunk(int chunk) { chunk_ = chunk; }

    // "1" for a seat held, "0" for one lost, as saved games keep them.
    std::string UpperSeatsText() const;
    std::string LowerSeatsText() const;
    void SetUpperSeats(std::string_view text);
    void SetLowerSeats(std::string_view text);

private:
    USCongress() = default;
    void Recount();

    std::array<bool, kUpperSeats> upper_{};
    std::array<bool, kLowerSeats> lower_{};
    int upperHeld_ = 0;
    int lowerHeld_ = 0;
    int chunk_ = 0;
    bool enabled_ = false;
};
