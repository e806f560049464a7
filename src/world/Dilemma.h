// A decision the simulation puts to the player: a neuron whose value is the
// pressure for it to arise, with two options whose effects become lasting
// grudges. Each dilemma comes from its own INI-style file.
#pragma once

#include <array>
#include <string>
#include <string_view>
#include <vector>

#include "simulation/Neuron.h"

// One effect line of an option, "target,size", with the file line it stands
// on so a problem found when it is applied can name it.
struct DilemmaEffect {
    std::string text;
    int line = 0;
};

struct DilemmaOption {
    std::vector<DilemmaEffect> effects;
    std::string description;
    // The button's text.
    std::string label;
    std::string dilemmaName;
    std::string dilemmaDisplayName;
};

class Dilemma : public Neuron {
public:
    static constexpr int kOptionCount = 2;

    // Create dilemmas through the dilemma manager, which lists them.
    Dilemma();
    ~Dilemma() override;

    // Reads one dilemma file. False (reported) when the file cannot be read
    // or names no dilemma; the manager then drops it. An effect aimed at no
    // neuron ends the program, so a game never starts with such a dilemma.
    bool Load(const std::string& path);

    // 0 once triggered or outside its countries; otherwise the freshly
    // recalculated value.
    float GetPressure();
    // True when no countries are listed or one equals the mission's name.
    bool PassesCountryFilter() const;

    // Puts the dilemma on the issues list, where it waits for the player.
    void Trigger();
    // The player's answer (0 or 1): every effect of the option becomes a
    // grudge that never fades, and the choice is recorded. A dilemma is
    // answered once; a second answer is ignored.
    void Choose(int option);

    const std::string& Description() const { return description_; }
    const std::vector<std::string>& Countries() const { return countries_; }
    const std::array<DilemmaOption, kOptionCount>& Options() const { return options_; }
    bool IsTriggered() const { return triggered_; }
    // Saved games restore the flag without putting the dilemma to the player.
    void SetTriggered(bool triggered) { triggered_ = triggered; }
    bool IsAwaitingChoice() const { return triggered_ && chosenOption_ < 0; }
    // -1 until the player has chosen.
    int ChosenOption() const { return chosenOption_; }
    const std::string& SourcePath() const { return path_; }

private:
    void ReadInfluence(const std::string& value, int line);
    // Every effect must aim at an existing neuron; one that does not ends
    // the program while the files load, never during play.
    void CheckEffectTargets() const;
    void ApplyEffect(const DilemmaEffect& effect, const std::string& grudgeName);

    std::string path_;
    std::string description_;
    std::vector<std::string> countries_;
    std::array<DilemmaOption, kOptionCount> options_;
    // The random sources of "_random_" influences; they go with the dilemma.
    std::vector<Neuron*> randomSources_;
    int chosenOption_ = -1;
    bool triggered_ = false;
};
