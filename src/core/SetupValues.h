// The setup values of "data/data.ini" section "setup": the names of the main
// content files and a few switches, read once at start-up.
#pragma once

#include <string>
#include <string_view>

#include "core/SectionReader.h"

class SetupValues {
public:
    static SetupValues& Instance();

    void Load(std::string_view path = "data/data.ini");

    // The text of a key, "" when absent.
    const std::string& GetSetupString(std::string_view key) const;
    // The key as a decimal number, 0 when absent or not a number.
    float GetSetupFloat(std::string_view key) const;
    size_t Count() const { return section_.Size(); }

private:
    SetupValues() = default;
    SectionReader section_;
};
