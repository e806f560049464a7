// Reading the mission file's settings.
#include "simulation/Mission.h"

#include "core/DataFiles.h"
#include "platform/IniFile.h"

Mission& Mission::Instance() {
    static Mission mission;
    return mission;
}

void Mission::Clear() { *this = Mission(); }

void Mission::Load(std::string_view path) {
    Clear();
    path_ = path;
    name_ = ReadText("config", "name", 127, path);
    wealth_ = ReadNumber("config", "wealth", 1.0f, path);
    population_ = ReadNumber("config", "population", 1.0f, path);
    unemployment_ = ReadNumber("config", "unemployment", 1.0f, path);
    militarySpending_ = ReadNumber("config", "militaryspending", 1.0f, path);
    religion_ = ReadNumber("config", "religion", 1.0f, path);
    environmentalist_ = ReadNumber("config", "environmentalist", -1.0f, path);
    year_ = ReadWholeNumber("config", "year", 1990, path);
    month_ = ReadWholeNumber("config", "month", 0, path);
    startingDebt_ = ReadNumber("config", "debt", 0.0f, path) * wealth_;
    matrix_ = ReadText("config", "matrix", 1024, path);
    flag_ = ReadText("config", "flag", 1024, path);
    startMessage_ = ReadText("config", "startmessage", 1024, path);
    currency_ = ReadText("config", "currency", 6, path);
    termLength_ = ReadWholeNumber("config", "termlength", 4, path);
    practice_ = ReadWholeNumber("config", "practice", 0, path) != 0;
}
