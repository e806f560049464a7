// The game's one source of randomness: a seedable generator with the range
// 0..32767 of the classic C library, so a seed replays a game exactly on any
// machine. No game code may call rand() or another generator.
#pragma once

#include <cstdint>

class GameRandom {
public:
    static constexpr int kMax = 32767;

    static void Seed(std::uint32_t seed);
    static std::uint32_t State();
    static void SetState(std::uint32_t state);

    // 0..32767.
    static int Next();

    // a + r x (1 / 32767) x (b - a) for one draw r, in float arithmetic.
    static float Uniform(float a, float b);

private:
    static std::uint32_t state_;
};

// Shorthand for GameRandom::Next(), read like the C library call it replaces.
inline int Rand() { return GameRandom::Next(); }
