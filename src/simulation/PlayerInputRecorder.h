// A plain-text record of every decision the player takes in the current game
// ("data/script.mil"), written as it happens so a game can be followed and
// replayed.
#pragma once

#include <string>
#include <string_view>

class PlayerInputRecorder {
public:
    static PlayerInputRecorder& Instance();

    // Starts a new record for a new game (the old file is deleted).
    void StartNewScript();
    // Appends one line; every record reaches the disk at once.
    void Record(std::string_view text);

    void RecordNewPolicy(std::string_view policy);
    void RecordCancel(std::string_view policy);
    void RecordSlider(std::string_view policy, float value);
    void RecordNextTurn();

    // Headless replays and tests may turn the record off.
    void SetEnabled(bool enabled) { enabled_ = enabled; }
    void SetPath(std::string_view path) { path_ = path; }
    const std::string& Path() const { return path_; }

private:
    PlayerInputRecorder() = default;
    std::string path_ = "data/script.mil";
    bool enabled_ = true;
};
