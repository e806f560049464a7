// A saved game as read from its file, before any of it touches the running
// game: reading first and applying afterwards lets a damaged file be turned
// down while the game in progress is still intact.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <utility>
#include <vector>

// Every record keeps the file line it started on, so a stale name can be
// reported where it stands.
struct SavedNeuron {
    int line = 0;
    std::string name;
    float identifier = 0.0f;
    float value = 0.0f;
    std::vector<float> history;  // newest first, at most 22
};

struct SavedSituation {
    SavedNeuron neuron;
    bool active = false;
};

struct SavedPolicy {
    SavedNeuron neuron;
    bool active = false;
    float input = 0.5f;
    float implementation = 0.0f;
    float outputThrottle = 0.0f;  // the slider effect's lagged input
};

struct SavedGrudge {
    SavedNeuron neuron;
    float decay = 1.0f;
    int targetLine = 0;
    std::string target;
};

struct SavedAnger {
    int line = 0;
    float typeIdentifier = 0.0f;
    bool warned = false;
    int cooldown = 0;
    float anger = 0.0f;
};

struct SavedPledge {
    int line = 0;
    bool live = true;
    std::string neuronName;
    float change = 0.0f;
    float initialValue = 0.0f;
};

struct SavedVoter {
    int line = 0;
    std::string types;  // each name followed by a comma
};

struct SavedGame {
    std::string path;

    struct Game {
        int turn = 0;
        int turnsToElection = 0;
        int month = 0;
        int year = 0;
    };
    struct Election {
        int month = 0;
        int year = 0;
        int won = 0;
        float cynicism = 0.0f;
    };
    struct ActionPoints {
        int perTurn = 0;
        int left = 0;
    };
    struct MissionValues {
        float population = 1.0f;
        float wealth = 1.0f;
        std::string flag;
        std::string matrix;
        std::string name;
    };
    struct Accounts {
        float debt = 0.0f;
        float reserves = 0.0f;
        float expenses = 0.0f;
        float income = 0.0f;
        float interest = 0.0f;
        float graphMaximum = 0.0f;
    };
    struct PollValues {
        float approval = 0.0f;
        float potentialVote = 0.0f;
        float peakVote = 0.0f;
        float peakApproval = 0.0f;
    };
    struct Congress {
        std::string upperSeats;
        std::string lowerSeats;
        int chunk = 0;
    };
    struct DilemmaFlag {
        int line = 0;
        std::string name;
        bool triggered = false;
    };

    // A section the file lacks stays as the data files rebuild it.
    std::optional<Game> game;
    std::optional<Election> election;
    std::optional<ActionPoints> actionPoints;
    std::optional<MissionValues> mission;
    std::optional<std::vector<SavedVoter>> voters;
    std::vector<SavedNeuron> voterTypes;
    std::vector<SavedNeuron> simulationValues;
    std::vector<SavedSituation> situations;
    std::vector<SavedPolicy> policies;
    std::vector<SavedGrudge> grudges;
    std::vector<SavedAnger> anger;
    std::optional<Accounts> finances;
    // income, expenditure and debt histories, index 0 first; each 20 long
    // when present.
    std::vector<float> incomeHistory;
    std::vector<float> expenditureHistory;
    std::vector<float> debtHistory;
    std::optional<PollValues> polls;
    std::vector<DilemmaFlag> dilemmas;
    std::vector<SavedPledge> pledges;
    bool hasManifesto = false;
    std::optional<Congress> congress;
    struct Economy {
        float phase = 0.0f;
        float value = 0.5f;
    };
    std::optional<Economy> economy;
    std::optional<std::uint32_t> randomState;
    // The exact state beyond the classic sections, as numbered lines; empty
    // in files written before it existed.
    std::vector<std::pair<int, std::string>> continuation;
};
