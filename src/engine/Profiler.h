// Accumulates the time spent between named tags. Nothing in the game shows the
// figures; they are there for a developer to read in a debugger or test.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "engine/Timer.h"

class Profiler {
public:
    struct TagRecord {
        std::string name;
        Timer timer;
        Timer frameTimer;
        int count = 0;
        std::array<float, 32> history{};
        std::uint32_t colour = 0;
    };

    static Profiler& Instance();

    void BeginTag(std::string_view name);
    void EndTag(std::string_view name);

    const std::string& CurrentTag() const { return current_; }
    const TagRecord* Find(std::string_view name) const;
    const std::vector<TagRecord>& Records() const { return records_; }
    void Clear();

private:
    Profiler() = default;
    TagRecord* FindMutable(std::string_view name);

    std::string current_ = "undefined";
    std::vector<TagRecord> records_;
    size_t nextColour_ = 0;
};

void BeginTag(std::string_view name);
void EndTag(std::string_view name);
