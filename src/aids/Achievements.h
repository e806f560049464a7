// The player's records across every game played on this machine: three
// personal bests and seven achievements, tested once a turn and kept in
// "data/dedu.jad". The achievements screen and the congratulation dialog
// read from here; nothing here draws.
#pragma once

#include <array>
#include <functional>
#include <string>
#include <string_view>

struct AchievementKeys {
    const char* flag;   // key in the record file
    const char* name;   // string-table key of the name on the achievements screen
    const char* title;  // keys in the "achievementdialogs" section of the string table
    const char* text;
};

class Achievements {
public:
    enum Index : int {
        kPowerhouseEconomy = 0,
        kEgalitarianUtopia = 1,
        kGreenUtopia = 2,
        kTechnologicalLead = 3,
        kCrimeFreeUtopia = 4,
        kPopularLeader = 5,
        kPerfectSociety = 6,
        kCount = 7,
    };

    // What the record file keeps.
    struct Record {
        int mostReelections = 0;
        float highestPopularity = 0.0f;
        float highestElectionVote = 0.0f;
        std::array<bool, kCount> held{};
    };

    static constexpr const char* kRecordPath = "data/dedu.jad";
    static constexpr const char* kStringsPath = "data/strings.ini";

    // The program's record. Tests construct their own to play a restart.
    static Achievements& Instance();
    Achievements();

    // Start-up: replaces the records with the file's. A missing file means a
    // first run (all zero). Values that do not read as what they should be are
    // reported with file and line, the file as it was is kept beside it
    // ("data/dedu.jad.bad"), and every readable value is still used.
    void Load(std::string_view path = kRecordPath, std::string_view stringsPath = kStringsPath);

    // Shutdown: writes the records in one atomic rewrite. Records only ever
    // improve, so each is written as the better of the file's and ours: a
    // record that was never read (start-up failed early, a second copy of the
    // game ran alongside) is never overwritten by a worse one. False, with a
    // log line, when the file cannot be written; the old file is then intact.
    bool Save(std::string_view path = kRecordPath) const;

    // Once a turn: tests the goals in index order and awards each that is met,
    // so meeting the last of the first six also earns the seventh that turn.
    void CheckGoals();

    // Ignored outside 0..6 and for an achievement already held; otherwise
    // marks it held and tells the award listener.
    void Award(int index);

    // After each poll: the approval, kept when it beats the best.
    void RecordApproval(float approval);
    // After each election: the vote share and the game's count of elections
    // won including this one. A share above one half is a win and the count
    // may become the best; the share may become the best whether won or not.
    void RecordElection(float voteShare, int electionsWon);

    int MostReelections() const { return record_.mostReelections; }
    float HighestPopularity() const { return record_.highestPopularity; }
    float HighestElectionVote() const { return record_.highestElectionVote; }
    bool IsHeld(int index) const;
    int HeldCount() const;

    static const AchievementKeys& Keys(int index);
    // The congratulation dialog's words; the key itself when the string
    // table lacks it.
    const std::string& Title(int index) const;
    const std::string& Text(int index) const;

    // Called once per award, in index order, after the flag is set. The
    // congratulation dialog opens here; it is meant to replace any one still
    // shown.
    void SetAwardListener(std::function<void(int index)> listener) {
        listener_ = std::move(listener);
    }

private:
    void LoadDialogTexts(std::string_view stringsPath);

    Record record_;
    std::array<std::string, kCount> titles_;
    std::array<std::string, kCount> texts_;
    std::function<void(int)> listener_;
};
