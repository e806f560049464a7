// Owns every event: loads them from the events file and one per mod file,
// and once a turn fires the most likely one, never two turns running.
#pragma once

#include <functional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "core/EnrolledManager.h"

class Event;

class EventManager : public EnrolledManager {
public:
    // An event fires only when its value is above this.
    static constexpr float kFireThreshold = 0.7f;
    static constexpr const char* kDefaultModPattern = "data/mods/events/*.txt";

    static EventManager& Instance();

    // Reads every event line of the file the setup value "events" names
    // (unless one is given), then the first line of each mod file in name
    // order. Game start and loading call it after the reset.
    void LoadEvents(std::string_view eventsFile = "",
                    std::string_view modPattern = kDefaultModPattern);
    void DeleteAll();

    // The turn's step: the event of greatest value fires if that value is
    // above 0.7 (ties go to the one loaded first), unless an event fired at
    // the last check. Values are the network's current ones.
    void CheckEvents();
    bool FiredAtLastCheck() const { return firedAtLastCheck_; }
    void SetFiredAtLastCheck(bool fired) { firedAtLastCheck_ = fired; }

    // In load order.
    const std::vector<Event*>& Events() const { return events_; }
    Event* FindEvent(std::string_view name) const;

    // The GUI's seam: an event fired (by the turn or the tutorial) and waits
    // on the issues list. Stays installed across games.
    void SetFireListener(std::function<void(Event&)> listener) {
        fireListener_ = std::move(listener);
    }

    void Reset() override { DeleteAll(); }

private:
    friend class Event;
    EventManager() = default;
    void LoadLine(const std::string& line, const std::string& source, int lineNumber);
    // An event deleted by the network alone leaves the list here.
    void Forget(const Event* event);
    void Fired(Event& event);

    std::vector<Event*> events_;
    std::function<void(Event&)> fireListener_;
    bool firedAtLastCheck_ = false;
};
