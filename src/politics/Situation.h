// A condition of the country that arises and passes by itself (a crime wave,
// a housing shortage): a neuron that switches on at 0.6, off below 0.4, acts
// on the network only while on, and costs or earns money meanwhile.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "simulation/Neuron.h"
#include "world/FinanceObject.h"

class FieldReader;
class PolicyGroup;

class Situation : public Neuron, public FinanceObject {
public:
    // The gap between the two thresholds keeps a value that hovers around
    // one of them from switching the situation every turn.
    static constexpr float kStartThreshold = 0.6f;
    static constexpr float kEndThreshold = 0.4f;

    // Reads one situation line ("#" marker, name, display name, description,
    // group, start text, end text, positive, cost, income, input effects,
    // a field beginning with "#", output effects). `source` and `lineNumber`
    // name the line in messages. Check the line with IsWellFormed first.
    Situation(const std::string& line, const std::string& source, int lineNumber);
    ~Situation() override;

    // True when the line is meant to hold a situation: it begins with "#"
    // and is at least 9 characters long with its line end. Other lines are
    // headings and comments.
    static bool IsSituationLine(std::string_view line);
    // Reports (with file and line) a situation line that has no name or
    // names no policy group; such a line is skipped, since a situation
    // without a sector has no place on the map.
    static bool IsWellFormed(const std::string& line, const std::string& source, int lineNumber);

    // Recalculates as a neuron, cuts the value to 0..1 and switches the
    // situation on or off across the thresholds. While the network settles
    // (game start, loading) it leaves the switch alone: the values pass
    // through figures that mean nothing on their way to where they settle.
    float Recalculate() override;
    // Switches on or off across the thresholds at the current value; true
    // when it switched.
    bool CheckThresholds();

    // Switching on queues a start for the player and shows the icon;
    // switching off queues an end (only if it was on) and drops the icon.
    void Activate();
    void Deactivate();
    // A saved game's on state, restored without telling the player again.
    void RestoreActive(bool active);

    const std::string& Description() const { return description_; }
    const std::string& StartText() const { return startText_; }
    const std::string& EndText() const { return endText_; }
    bool IsPositive() const { return positive_; }
    PolicyGroup* Group() const { return group_; }
    const std::string& SourceLine() const { return line_; }
    // How good things are: the value for good news, 1 - value for bad news.
    float Goodness() const;

    // What the situation costs and earns this turn at its current value;
    // nothing while it is off.
    float CurrentCost() const;
    float CurrentIncome() const;

private:
    void ReadInputs(FieldReader& fields, const std::string& source, int lineNumber);
    void ReadOutputs(FieldReader& fields, const std::string& source, int lineNumber);

    std::string line_;
    std::string description_;
    std::string startText_;
    std::string endText_;
    PolicyGroup* group_ = nullptr;
    // The random sources its "_random_" inputs made; they go with it.
    std::vector<Neuron*> randomSources_;
    bool positive_ = false;
};
