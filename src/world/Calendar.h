// The game's calendar: month and year of the current turn, and the month's
// name in the player's language.
#pragma once

#include <array>
#include <string>

class Calendar {
  public:
    static constexpr int kMonthsPerYear = 12;

    static Calendar& Instance();

    // A month outside 0..11 or a negative year is reported and kept all
    // the same: a bad date must not stop the game.
    void SetDate(int month, int year);
    void NextMonth();

    int GetMonth() const { return month_; }
    int GetYear() const { return year_; }
    // The current month's name; empty while the month is out of range.
    const std::string& MonthName();

    // Reads the names again from the string table (after it was reloaded).
    void ReloadMonthNames();

  private:
    Calendar() = default;

    std::array<std::string, kMonthsPerYear> monthNames_;
    bool namesLoaded_ = false;
    int month_ = 0;
    int year_ = 1990;
};
