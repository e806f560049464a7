// Game-state managers enrol themselves in one program-wide list, so starting
// a game, loading one and shutting down can reset every one of them without
// knowing them by name.
#pragma once

#include <cstddef>
#include <vector>

class EnrolledManager {
public:
    EnrolledManager();
    virtual ~EnrolledManager();
    EnrolledManager(const EnrolledManager&) = delete;
    EnrolledManager& operator=(const EnrolledManager&) = delete;

    // Returns the manager to its state before any game.
    virtual void Reset() = 0;

    // Resets every enrolled manager in the order they enrolled.
    static void ResetAll();
    static std::size_t Count();

private:
    static std::vector<EnrolledManager*>& Registry();
};
