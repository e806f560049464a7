// The country being governed: the values of its mission file that the rest
// of the game reads (wealth and currency for money, starting debt, the voter
// matrix, the names sections for generated people).
#pragma once

#include <string>
#include <string_view>

class Mission {
public:
    static Mission& Instance();

    // Reads section "config" of the mission file, with the defaults for
    // missing keys, and keeps the path for later reads of other sections.
    void Load(std::string_view path);
    void Clear();

    float Population() const { return population_; }
    float Wealth() const { return wealth_; }
    float StartingDebt() const { return startingDebt_; }
    const std::string& Matrix() const { return matrix_; }
    float Unemployment() const { return unemployment_; }
    float MilitarySpending() const { return militarySpending_; }
    float Religion() const { return religion_; }
    // -1 when the mission gives none.
    float Environmentalist() const { return environmentalist_; }
    const std::string& Flag() const { return flag_; }
    const std::string& StartMessage() const { return startMessage_; }
    const std::string& Currency() const { return currency_; }
    const std::string& Path() const { return path_; }
    const std::string& Name() const { return name_; }
    int Year() const { return year_; }
    int Month() const { return month_; }
    int TermLength() const { return termLength_; }
    // A practice country (the tutorial's, key "practice" = 1) is played for
    // learning: it sets no personal records and wins no achievements.
    bool IsPractice() const { return practice_; }

    void SetWealth(float wealth) { wealth_ = wealth; }
    void SetCurrency(std::string_view currency) { currency_ = std::string(currency.substr(0, 5)); }
    // Saved games: the values a save keeps over those of the mission file.
    void RestoreSaved(float population, float wealth, std::string_view flag, std::string_view matrix,
                      std::string_view name) {
        population_ = population;
        wealth_ = wealth;
        flag_ = flag;
        matrix_ = matrix;
        name_ = name;
    }

private:
    Mission() = default;
    float population_ = 1.0f;
    float wealth_ = 1.0f;
    float startingDebt_ = 0.0f;
    std::string matrix_;
    float unemployment_ = 1.0f;
    float militarySpending_ = 1.0f;
    float religion_ = 1.0f;
    float environmentalist_ = -1.0f;
    std::string flag_;
    std::string startMessage_;
    std::string currency_;
    std::string path_;
    std::string name_;
    int year_ = 1990;
    int month_ = 0;
    int termLength_ = 4;
    bool practice_ = false;
};
