// The event manager: loading and the turn's check.
#include "world/EventManager.h"

#include <algorithm>

#include "core/DataFiles.h"
#include "core/DataReport.h"
#include "core/FieldReader.h"
#include "core/SetupValues.h"
#include "core/TextFile.h"
#include "simulation/Network.h"
#include "world/Event.h"

EventManager& EventManager::Instance() {
    static EventManager manager;
    return manager;
}

void EventManager::LoadEvents(std::string_view eventsFile, std::string_view modPattern) {
    const std::string path = eventsFile.empty() ? SetupValues::Instance().GetSetupString("events")
                                                : std::string(eventsFile);
    // A mod file holds one event, on its first line; later lines are ignored
    // even when the first is not an event.
    const bool read = ForEachContentLine(path, modPattern, [this](const std::string& line, const std::string& source,
                                                                  int lineNumber) { LoadLine(line, source, lineNumber); });
    if (!read) {
        ReportDataProblem(DataSeverity::Error, {path, 0, "", "events"},
                          "cannot open the events file", "EventManager", __LINE__);
    }
    firedAtLastCheck_ = false;
}

void EventManager::LoadLine(const std::string& line, const std::string& source, int lineNumber) {
    if (!Event::IsEventLine(line)) return;
    FieldReader fields(line);
    fields.NextField();
    // A nameless event could never be told apart in the news or a save.
    if (fields.NextField().empty()) {
        ReportDataProblem(DataSeverity::Error, {source, lineNumber, "", "name"},
                          "event has no name", "EventManager", __LINE__);
        return;
    }
    events_.push_back(Network::Create<Event>(line, source, lineNumber));
}

void EventManager::DeleteAll() {
    // A copy: each event takes itself out of the list as it goes.
    const std::vector<Event*> events = events_;
    for (Event* event : events) Network::Destroy(event);
    events_.clear();
    firedAtLastCheck_ = false;
}

void EventManager::CheckEvents() {
    // After a turn with an event, the next turn rests.
    if (firedAtLastCheck_) {
        firedAtLastCheck_ = false;
        return;
    }
    float best = 0.0f;
    Event* chosen = nullptr;
    for (Event* event : events_) {
        const float value = event->GetValue();
        if (value > best) {
            best = value;
            chosen = event;
        }
    }
    if (!chosen || best <= kFireThreshold) return;
    chosen->Fire();
    firedAtLastCheck_ = true;
}

Event* EventManager::FindEvent(std::string_view name) const {
    for (Event* event : events_) {
        if (event->Name() == name) return event;
    }
    return nullptr;
}

void EventManager::Forget(const Event* event) {
    events_.erase(std::remove(events_.begin(), events_.end(), event), events_.end());
}

void EventManager::Fired(Event& event) {
    if (fireListener_) fireListener_(event);
}
