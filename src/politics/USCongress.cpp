// The congress model.
#include "politics/USCongress.h"

#include <algorithm>

#include "core/GameRandom.h"
#include "engine/Diagnostics.h"
#include "simulation/GameOptions.h"

namespace {

// r in 0..1, drawn afresh for each seat.
float Draw() { return static_cast<float>(Rand()) / 32767.0f; }

template <size_t N>
std::string ToText(const std::array<bool, N>& seats) {
    std::string text;
    for (bool held : seats) text += held ? '1' : '0';
    return text;
}

template <size_t N>
void FromText(std::array<bool, N>& seats, std::string_view text) {
    Assert(text.size() >= N, "USCongress", __LINE__);
    for (size_t i = 0; i < N; ++i) seats[i] = i < text.size() && text[i] == '1';
}

}  // namespace

USCongress& USCongress::Instance() {
    static USCongress congress;
    return congress;
}

void USCongress::SetUp(std::string_view countryName) {
    enabled_ = countryName == "USA";
    // Drawn whether or not the model is on, so every mission uses the
    // random numbers the same way.
    const float p = 0.95f - 0.25f * GameOptions::Instance().Get(GameOptions::kDifficulty);
    for (bool& seat : upper_) seat = Draw() < p;
    for (bool& seat : lower_) seat = Draw() < p;
    Recount();
    chunk_ = 0;
}

void USCongress::Recount() {
    upperHeld_ = static_cast<int>(std::count(upper_.begin(), upper_.end(), true));
    lowerHeld_ = static_cast<int>(std::count(lower_.begin(), lower_.end(), true));
}

void USCongress::HoldCongressElections(float approval) {
    if (!enabled_) return;
    ElectUpperHouse(approval);
    ElectLowerHouse(approval);
}

bool USCongress::MidtermCheck(int monthsSinceLastElection, float approval) {
    if (!enabled_ || monthsSinceLastElection != 24) return false;
    ElectUpperHouse(approval);
    ElectLowerHouse(approval);
    return true;
}

void USCongress::ElectLowerHouse(float approval) {
    for (bool& seat : lower_) seat = approval > Draw();
    Recount();
}

void USCongress::ElectUpperHouse(float approval) {
    // Thirds of 34, 33 and 33 seats in turn.
    const int first = chunk_ == 0 ? 0 : (chunk_ == 1 ? 34 : 67);
    const int last = chunk_ == 0 ? 33 : (chunk_ == 1 ? 66 : 99);
    for (int i = first; i <= last; ++i) upper_[static_cast<size_t>(i)] = approval > Draw();
    chunk_ = (chunk_ + 1) % 3;
    Recount();
}

std::string USCongress::UpperSeatsText() const { return ToText(upper_); }
std::string USCongress::LowerSeatsText() const { return ToText(lower_); }

void USCongress::SetUpperSeats(std::string_view text) {
    FromText(upper_, text);
    Recount();
}

void USCongress::SetLowerSeats(std::string_view text) {
    FromText(lower_, text);
    Recount();
}
