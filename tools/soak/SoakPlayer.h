// A long headless run for finding what only shows after many turns: a random
// player governs every country in turn (introducing, adjusting and
// cancelling policies, answering dilemmas, promising pledges, saving and
// loading every few turns) while the game's invariants are checked after
// each turn.
#pragma once

#include <cstdint>
#include <cstdio>
#include <random>
#include <string>
#include <vector>

#include "world/Gameplaymanager.h"

struct SoakOptions {
    int turns = 10000;
    std::uint32_t seed = 1;
    int saveEvery = 5;       // turns between save -> load -> save checks
    int turnsPerGame = 400;  // a game that lasts this long makes way for the next country
    // Governs on after a lost election, as if it had been won, to reach the
    // late turns a random player seldom lives to see.
    bool playOn = false;
    std::vector<std::string> missions;  // empty: every mission the data has
    size_t problemLimit = 50;           // problems kept in the report (all are counted)
};

struct SoakReport {
    int turns = 0;
    int games = 0;
    int electionsWon = 0;
    int electionsLost = 0;
    int overthrown = 0;
    int roundTrips = 0;
    int introduced = 0;
    int cancelled = 0;
    int sliderMoves = 0;
    int dilemmasAnswered = 0;
    int pledges = 0;
    int problemCount = 0;
    std::vector<std::string> missions;
    std::vector<std::string> problems;  // the first ones, with turn and country
};

class SoakPlayer : public GameplayListener {
public:
    // Progress lines (one per game) go to `progress` when it is given.
    SoakPlayer(SoakOptions options, std::FILE* progress);

    // Plays until the turns are used up. The working folder must hold the
    // game's data folder; saves go to data/savegames/soak.dedu.
    SoakReport Run();

    // "mission1", "mission2", ... up to the first number without a file.
    static std::vector<std::string> DiscoverMissions();

    void Autosave() override {}
    void OpenManifestoChoice() override;

private:
    // Plays one game of a country, to its end or its share of the turns.
    void PlayGame(const std::string& mission);
    void ActRandomly();
    void AnswerDilemma();
    // After every turn: finite values, no cycle, money and population.
    void CheckInvariants();
    void CheckFiniteValues();
    void CheckMoney();
    void CheckPopulation();
    void CheckSaveRoundTrip();
    void Problem(const std::string& text);
    int Roll(int below);

    SoakOptions options_;
    std::FILE* progress_;
    std::mt19937 random_;
    SoakReport report_;
    std::string mission_;
    int population_ = 0;
    float debtBefore_ = 0.0f;
    float reservesBefore_ = 0.0f;
    int cyclesSeen_ = 0;
};
