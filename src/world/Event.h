// A sudden occurrence that befalls the country (a strike, a scandal): a
// neuron whose value is its likelihood; firing leaves fading grudges on the
// neurons it hurts or helps. Each event is one line of data.
#pragma once

#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "simulation/Neuron.h"

// One effect applied the last time the event fired.
struct AppliedEffect {
    Neuron* target = nullptr;
    float value = 0.0f;
};

class Event : public Neuron {
public:
    // Reads a definition line: "#", name, display name, description, two
    // numbers, sound, influences up to a field beginning with "#", then the
    // effects. `source` and `lineNumber` name the line in messages. A line
    // that does not begin with "#" ends the program.
    explicit Event(const std::string& line, const std::string& source = "", int lineNumber = 0);
    ~Event() override;

    // True for lines meant to hold an event: beginning with "#" and at least
    // 9 characters long with the line end. Others are headings and comments.
    static bool IsEventLine(std::string_view line);

    // Leaves a grudge on every target of its effects and puts the event on
    // the issues list. An event may fire again and again.
    void Fire();

    // The event window calls this when it shows the event: the sound, if
    // any, plays through the player the engine installed.
    void PlaySound() const;
    static void SetSoundPlayer(std::function<void(const std::string& path)> player);

    const std::string& DataLine() const { return line_; }
    const std::string& Description() const { return description_; }
    // The fifth and sixth fields, kept with the event; nothing reads them.
    float FirstNumber() const { return firstNumber_; }
    float SecondNumber() const { return secondNumber_; }
    // A file name under "data/sounds/"; empty for none.
    const std::string& Sound() const { return sound_; }
    const std::vector<AppliedEffect>& AppliedEffects() const { return applied_; }
    bool HasFired() const { return fired_; }
    const std::string& SourceFile() const { return sourceFile_; }
    int SourceLine() const { return sourceLine_; }

private:
    void ReadInfluences(class FieldReader& fields);
    void CheckEffects() const;
    // The effect fields of the line: everything after the closing "#".
    std::vector<std::string> EffectFields() const;
    void ApplyEffect(const std::string& field);

    std::string line_;
    std::string description_;
    std::string sound_;
    std::string sourceFile_;
    std::vector<AppliedEffect> applied_;
    // The random sources of "_random_" influences; they go with the event.
    std::vector<Neuron*> randomSources_;
    float firstNumber_ = 0.0f;
    float secondNumber_ = 0.0f;
    int sourceLine_ = 0;
    bool fired_ = false;
};
