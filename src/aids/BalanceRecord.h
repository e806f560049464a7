// What one balance game leaves behind: how it ended, the polls of every turn,
// what happened and what the player did. A worker process writes it as text
// and the parent reads it back, so the text must carry every number exactly.
#pragma once

#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

struct BalanceRecord {
    // How a game can end; "survived" means it was still going at its last turn.
    static constexpr const char* kSurvived = "survived";
    static constexpr const char* kLostElection = "lost the election";
    static constexpr const char* kOverthrown = "overthrown";
    static constexpr const char* kCrashed = "crashed";

    // Every policy of the country has an entry, used or not.
    struct PolicyUse {
        bool inForceAtStart = false;
        int introductions = 0;
        // Approval a few turns after each introduction minus approval before it.
        double approvalChange = 0.0;
        int measured = 0;
        // The policy's popularity with its voter groups, summed over the
        // turns it was in force.
        double popularity = 0.0;
        int turnsInForce = 0;
    };
    struct Situation {
        int turns = 0;   // turns it was on
        int starts = 0;  // times it came on
    };
    struct Pinned {
        int low = 0;   // turns at 0 or below
        int high = 0;  // turns at 1 or above
    };

    int game = 0;
    std::string mission;
    std::string strategy;
    std::uint32_t seed = 0;
    std::string end = kSurvived;
    std::string failure;  // how a crashed game's worker ended
    int turns = 0;
    int electionsWon = 0;
    int problems = 0;  // assertion reports and data errors during the game
    float finalDebt = 0.0f;
    std::vector<float> approval;  // per turn, the first turn first
    std::vector<float> vote;
    std::map<std::string, Situation> situations;
    std::map<std::string, int> events;    // times fired
    std::map<std::string, int> dilemmas;  // the option taken
    std::map<std::string, PolicyUse> policies;
    std::map<std::string, Pinned> pinned;  // simulation values
    int valueTurns = 0;                    // turns the values were looked at

    std::string Serialize() const;
    // Nothing when the text is not a whole record (a worker that died midway).
    static std::optional<BalanceRecord> Parse(std::string_view text);

    // The head of balance.csv and one row of it.
    static std::string CsvHeader();
    std::string CsvRow() const;
};
