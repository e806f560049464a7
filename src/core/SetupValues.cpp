// Setup values from data.ini.
#include "core/SetupValues.h"

#include "core/TextUtilities.h"

SetupValues& SetupValues::Instance() {
    static SetupValues values;
    return values;
}

void SetupValues::Load(std::string_view path) { section_.ReadSection("setup", path); }

const std::string& SetupValues::GetSetupString(std::string_view key) const { return section_.Lookup(key); }

float SetupValues::GetSetupFloat(std::string_view key) const { return ParseFloat(section_.Lookup(key)); }
