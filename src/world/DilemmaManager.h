// Owns every dilemma and the record of the player's choices, and once a turn
// puts the dilemma under the strongest pressure to the player.
#pragma once

#include <functional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "core/EnrolledManager.h"

class Dilemma;

struct DilemmaChoice {
    std::string dilemma;
    int option = 0;
};

class DilemmaManager : public EnrolledManager {
public:
    // A dilemma arises only under more pressure than this.
    static constexpr float kPressureThreshold = 0.5f;
    static constexpr const char* kDefaultPattern = "data/simulation/dilemmas/*.txt";

    static DilemmaManager& Instance();

    // Loads every dilemma file, in name order. No folder or no files means
    // no dilemmas.
    void LoadAll(std::string_view pattern = kDefaultPattern);
    // Deletes every dilemma (each leaves the network).
    void DeleteAll();
    // Game start and loading a saved game: a fresh set of dilemmas and no
    // choices yet.
    void Reload(std::string_view pattern = kDefaultPattern);

    // The turn's step (from the second turn on): the dilemma under the
    // strongest pressure arises if that pressure is above one half; ties go
    // to the one loaded first. At most one dilemma arises per turn.
    void CheckDilemmas();

    void RecordChoice(std::string_view dilemma, int option);
    const std::vector<DilemmaChoice>& Choices() const { return choices_; }
    // Saved games write and restore the record.
    void SetChoices(std::vector<DilemmaChoice> choices) { choices_ = std::move(choices); }

    // In load order.
    const std::vector<Dilemma*>& Dilemmas() const { return dilemmas_; }
    Dilemma* FindDilemma(std::string_view name) const;
    // The dilemma triggered last and not yet answered, or null: what the
    // dilemma window shows.
    Dilemma* PendingDilemma() const { return pending_; }

    // The GUI's seams. A triggered dilemma waits on the issues list (the bar
    // rebuilds); an answered one closes its window and refreshes the main
    // screen. Listeners stay installed across games.
    void SetTriggerListener(std::function<void(Dilemma&)> listener) {
        triggerListener_ = std::move(listener);
    }
    void SetChoiceListener(std::function<void(Dilemma&, int option)> listener) {
        choiceListener_ = std::move(listener);
    }

    // Deletes every dilemma and forgets the choices.
    void Reset() override;

private:
    friend class Dilemma;
    DilemmaManager() = default;
    // A dilemma deleted by the network alone leaves the list here.
    void Forget(const Dilemma* dilemma);
    void Triggered(Dilemma& dilemma);
    void Answered(Dilemma& dilemma, int option);

    std::vector<Dilemma*> dilemmas_;
    std::vector<DilemmaChoice> choices_;
    Dilemma* pending_ = nullptr;
    std::function<void(Dilemma&)> triggerListener_;
    std::function<void(Dilemma&, int)> choiceListener_;
};
