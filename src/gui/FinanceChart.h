// The figures behind the finance window's pages: the slices of the
// expenditure pie and the rows of the income list, built from plain lists
// so the rules can be checked without a game.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

struct CostItem {
    std::string name;
    float amount = 0.0f;
};

struct PieSlice {
    std::string label;
    float amount = 0.0f;
    std::uint32_t colour = 0;
    // A second line for the legend (the debt behind the interest).
    std::string note;
};

// At most this many policies get a slice of their own.
constexpr size_t kMaxPolicySlices = 14;

// Slices in order: each policy costing more than 1 % of the total (the
// largest fourteen if more qualify, kept in list order), each such
// situation, the debt interest, and the rest as "OTHER". Labels are
// "name (amount)".
std::vector<PieSlice> ExpenditureSlices(const std::vector<CostItem>& policies,
                                        const std::vector<CostItem>& situations, float interest,
                                        float debt, float total);
// The same from the game's policies, situations and accounts.
std::vector<PieSlice> CurrentExpenditureSlices();

// What brings money in this turn, largest first: policies and situations
// in force with an income above zero.
std::vector<CostItem> CurrentIncomeSources();
