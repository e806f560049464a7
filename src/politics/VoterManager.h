// Owns the voter groups (and, with the electorate, the voting population):
// loads them from the voter types file and answers look-ups.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "core/EnrolledManager.h"

class Voter;
class VoterType;

class VoterManager : public EnrolledManager {
public:
    static VoterManager& Instance();

    // Lines beginning with "#" define a group; a missing file loads nothing.
    void LoadVoterTypes(const std::string& path);
    VoterType* FindVoterType(std::string_view name) const;
    VoterType* VoterTypeAt(size_t index) const;
    const std::vector<VoterType*>& VoterTypes() const { return types_; }

    // Reads the population from the mission's matrix file, or generates one
    // and writes it there so the next game on the mission meets the same
    // people; then links the national debt to the public mood.
    void CreatePopulation(const std::string& matrixPath);
    // Writes one line per voter: the groups it joined, in joining order.
    bool WriteMatrix(const std::string& path) const;
    // Saved games: one voter who belongs to exactly these groups, added to
    // the population; then the debt links that population creation makes.
    Voter* AddVoter(const std::vector<VoterType*>& types);
    void LinkDebtToMood();
    const std::vector<Voter*>& Population() const { return population_; }
    int PopulationTotal() const { return static_cast<int>(population_.size()); }
    Voter* RandomVoter() const;

    // Opinion less cynicism, less 0.1 for a broken manifesto close to an
    // election; a vote for the government needs more than one half.
    bool VotesForGovernment(Voter& voter, int monthsToElection, bool manifestoBroken) const;
    void CountSupporters(VoterType& type, int monthsToElection, bool manifestoBroken) const;
    bool AllTypesAtLeast(float level) const;

    // Turn steps: each group hands its mood to its members and holds
    // grudges against policies that hurt it; then groups grow or shrink.
    void PassOnMoods();
    void UpdateTrends();

    // Membership: an effect from the group to the voter.
    static void Join(VoterType& type, Voter& voter);

    void Reset() override;

private:
    VoterManager() = default;
    void LoadLine(const std::string& line, const std::string& path, int lineNumber);
    void ReadMatrix(const std::string& path, const std::string& content);
    void GeneratePopulation();
    bool AddMemberIfBelowTarget(VoterType& type);
    void RemoveMember(VoterType& type);
    Voter* PickCandidate(const VoterType& type) const;
    void PassOnMood(VoterType& type);
    void UpdateTrend(VoterType& type);
    std::vector<VoterType*> types_;
    std::vector<Voter*> population_;
};
