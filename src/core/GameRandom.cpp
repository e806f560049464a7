// A linear congruential generator with the constants and output bits of the
// Windows C library, seeded with 1 like rand() when nobody seeds it.
#include "core/GameRandom.h"

std::uint32_t GameRandom::state_ = 1;

void GameRandom::Seed(std::uint32_t seed) { state_ = seed; }
std::uint32_t GameRandom::State() { return state_; }
void GameRandom::SetState(std::uint32_t state) { state_ = state; }

int GameRandom::Next() {
    state_ = state_ * 214013u + 2531011u;
    return static_cast<int>((state_ >> 16) & 0x7FFF);
}

float GameRandom::Uniform(float a, float b) {
    return a + static_cast<float>(Next()) * (1.0f / static_cast<float>(kMax)) * (b - a);
}
