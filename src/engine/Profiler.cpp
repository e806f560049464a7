// Profiler tags and their timers.
#include "engine/Profiler.h"

#include "engine/DebugLog.h"

namespace {

constexpr std::array<std::uint32_t, 6> kPalette = {0xFFFF0000, 0xFF00FF00, 0xFF0000FF,
                                                   0xFFFFFF00, 0xFF00FFFF, 0xFFFF00FF};
constexpr size_t kMaxTagName = 31;

}  // namespace

Profiler& Profiler::Instance() {
    static Profiler profiler;
    return profiler;
}

Profiler::TagRecord* Profiler::FindMutable(std::string_view name) {
    for (auto& record : records_) {
        if (record.name == name) return &record;
    }
    return nullptr;
}

const Profiler::TagRecord* Profiler::Find(std::string_view name) const {
    for (const auto& record : records_) {
        if (record.name == name) return &record;
    }
    return nullptr;
}

void Profiler::BeginTag(std::string_view name) {
    name = name.substr(0, kMaxTagName);
    current_ = name;
    if (TagRecord* record = FindMutable(name)) {
        record->timer.Resume();
        record->frameTimer.Resume();
        ++record->count;
        return;
    }
    TagRecord record;
    record.name = name;
    record.count = 1;
    record.colour = kPalette[nextColour_];
    nextColour_ = (nextColour_ + 1) % kPalette.size();
    records_.push_back(std::move(record));
}

void Profiler::EndTag(std::string_view name) {
    name = name.substr(0, kMaxTagName);
    current_ = "undefined";
    TagRecord* record = FindMutable(name);
    if (!record) {
        Log("Performance tag mismatch");
        return;
    }
    record->timer.Pause();
    record->frameTimer.Pause();
}

void Profiler::Clear() {
    records_.clear();
    current_ = "undefined";
    nextColour_ = 0;
}

void BeginTag(std::string_view name) { Profiler::Instance().BeginTag(name); }
void EndTag(std::string_view name) { Profiler::Instance().EndTag(name); }
