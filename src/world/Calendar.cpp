// The game calendar.
#include "world/Calendar.h"

#include "core/TextUtilities.h"
#include "engine/Diagnostics.h"
#include "world/StringTable.h"

Calendar& Calendar::Instance() {
    static Calendar calendar;
    return calendar;
}

void Calendar::SetDate(int month, int year) {
    Assert(month >= 0 && month < kMonthsPerYear, "Calendar", __LINE__);
    Assert(year >= 0, "Calendar", __LINE__);
    month_ = month;
    year_ = year;
}

void Calendar::NextMonth() {
    ++month_;
    // ">=" rather than "==": a month stored out of range by a bad saved game
    // rejoins the calendar at the next year instead of counting up forever.
    if (month_ >= kMonthsPerYear) {
        month_ = 0;
        ++year_;
    }
}

const std::string& Calendar::MonthName() {
    static const std::string kNoName;
    // The names are read at first use, not at start-up, so the string table
    // is only loaded once the working directory and data are in place.
    if (!namesLoaded_) ReloadMonthNames();
    if (month_ < 0 || month_ >= kMonthsPerYear) return kNoName;
    return monthNames_[static_cast<size_t>(month_)];
}

void Calendar::ReloadMonthNames() {
    for (int i = 0; i < kMonthsPerYear; ++i) {
        monthNames_[static_cast<size_t>(i)] = GetString(FormatText("CALENDAR_%d", i));
    }
    namesLoaded_ = true;
}
