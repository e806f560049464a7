// The built-in players of the balance run. Between two turns a player
// introduces, adjusts and cancels policies within the turn's political
// capital, and it answers every dilemma. The plain strategy is "idle": it
// does nothing and takes each dilemma's first option. A player draws its own
// random numbers, never the game's, so the game only changes by what the
// player does.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

class Dilemma;
class Policy;

class BalanceStrategy {
public:
    enum class Change { Introduce, Adjust, Cancel };
    using ChangeObserver = std::function<void(const Policy&, Change)>;

    // "idle", "random", "greedy".
    static const std::vector<std::string>& Names();
    // Nothing for an unknown name.
    static std::unique_ptr<BalanceStrategy> Create(std::string_view name, std::uint32_t seed);

    virtual ~BalanceStrategy() = default;
    const std::string& Name() const { return name_; }
    // Told of every move the player makes, for the record.
    void SetChangeObserver(ChangeObserver observer) { observer_ = std::move(observer); }

    // Once the game has started (the first turn is processed).
    virtual void Start() {}
    // The decisions before the next turn.
    virtual void PlayTurn() {}
    // The option taken, 0 or 1.
    virtual int ChooseOption(const Dilemma& dilemma);

protected:
    explicit BalanceStrategy(std::string name) : name_(std::move(name)) {}

    // Every move costs one point of political capital, as the restricted
    // powers make the player confirm; none is made without a point left.
    static bool HasCapital();
    bool Introduce(Policy& policy);
    bool Adjust(Policy& policy, float slider);
    bool Cancel(Policy& policy);

private:
    std::string name_;
    ChangeObserver observer_;
};
