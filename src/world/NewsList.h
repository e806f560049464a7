// The turn's news: short items about what changed, largest change first,
// shown with the quarterly report and cleared when the next turn starts.
#pragma once

#include <string>
#include <vector>

#include "core/EnrolledManager.h"

class Neuron;

struct NewsItem {
    std::string text;
    float importance = 0.0f;
};

class NewsList : public EnrolledManager {
public:
    // Also makes simulation values and voter groups report their turn here.
    static NewsList& Instance();

    // Items of equal importance keep their arrival order.
    void AddNews(std::string text, float importance);
    void ClearNews() { items_.clear(); }
    const std::vector<NewsItem>& Items() const { return items_; }

    // A value or group that moved by more than 0.1 since last turn becomes
    // news, with the cause that moved it most.
    void ReportChange(Neuron& neuron);

    // The quarterly report's paragraph: graded and picked sentences about
    // approval, the budget, the term and the world economy. The window builds
    // it as it opens, so the wording varies with `variant` (the turn) rather
    // than with the game's generator: opening the report changes nothing.
    std::string BuildReport(unsigned variant) const;

    void Reset() override { ClearNews(); }

private:
    NewsList();
    std::vector<NewsItem> items_;
};
