// The player's twelve settings that shape a game, by index, kept in
// "data/options.dedu" between runs.
#pragma once

#include <array>
#include <string>
#include <string_view>

class GameOptions {
public:
    enum Index : int {
        kMusic = 0,
        kGlobalEconomy = 1,
        kInterestRate = 2,
        kAiEntities = 3,
        kDifficulty = 4,
        kShowFlags = 5,
        kShowClock = 6,
        kCynicism = 7,
        kIgnoreDilemmas = 8,
        kRestrictPower = 9,
        kIgnoreManifesto = 10,
        kAutosave = 11,
        kCount = 12,
    };

    static GameOptions& Instance();

    // 0 for an index outside 0..11.
    float Get(int index) const;
    // Ignored for an index outside 0..11.
    void Set(float value, int index);

    static const char* Key(int index);
    static float Default(int index);

    // Missing keys take their defaults.
    void Load(std::string_view path = "data/options.dedu");
    // Written whole to a temporary file and renamed over the old one, so a
    // crash mid-write never loses the player's settings. False on failure.
    bool Save(std::string_view path = "data/options.dedu") const;

private:
    GameOptions() = default;
    std::array<float, kCount> values_{};
};
