// Events: reading their line, firing and the grudges they leave.
#include "world/Event.h"

#include <charconv>

#include "core/DataReport.h"
#include "core/FieldReader.h"
#include "core/TextUtilities.h"
#include "politics/IssuesList.h"
#include "simulation/Network.h"
#include "world/EventManager.h"
#include "world/Grudge.h"

namespace {

constexpr const char* kSource = "EventManager";
// Fields 1 to 6 (marker, name, display name, description, two numbers) come
// before the sound and the influences.
constexpr int kFixedFields = 6;
// Shorter effect fields are stray separators or line ends.
constexpr size_t kShortestEffect = 2;
constexpr size_t kShortestEventLine = 9;

std::function<void(const std::string&)>& SoundPlayer() {
    static std::function<void(const std::string&)> player;
    return player;
}

bool BeginsWithMarker(const std::string& field) {
    return !field.empty() && field[0] == '#';
}

Neuron* FindNamed(const std::string& name) {
    // An empty name would find any unnamed neuron.
    return name.empty() ? nullptr : Network::FindByName(name);
}

}  // namespace

bool Event::IsEventLine(std::string_view line) {
    // TextFile strips the line end the length has always counted.
    return line.size() + 1 >= kShortestEventLine && line[0] == '#';
}

// The line is kept whole: the classic 1023-character buffer split a longer
// line and silently lost the effects at its end. The name and display name
// are cut to the neuron's 63 characters; the description is kept whole.
Event::Event(const std::string& line, const std::string& source, int lineNumber)
    : line_(line), sourceFile_(source), sourceLine_(lineNumber) {
    SetKind(NeuronKind::Event);
    FieldReader fields(line_);
    if (!BeginsWithMarker(fields.NextField())) {
        ReportDataProblem(DataSeverity::Fatal, {source, lineNumber, "", ""},
                          "Failed to find line delimiter in event data", "Event", __LINE__);
    }
    SetName(fields.NextField());
    SetDisplayName(fields.NextField());
    description_ = fields.NextField();
    firstNumber_ = fields.NextFloat();
    const std::string sixth = fields.NextField();
    secondNumber_ = ParseFloat(sixth);
    sound_ = fields.NextField();
    if (BeginsWithMarker(sixth)) return;
    ReadInfluences(fields);
    CheckEffects();
}

Event::~Event() {
    EventManager::Instance().Forget(this);
    IssuesList::Instance().Forget(this);
    for (Neuron* source : randomSources_) Network::Destroy(source);
    // The news names a grudge's owner as the cause of what it moves, so the
    // grudges go with their event rather than point at a deleted one.
    const std::vector<Grudge*> grudges = GrudgeList();
    for (Grudge* grudge : grudges) {
        if (grudge->Owner() == this) Network::Destroy(grudge);
    }
}

// An influence naming no neuron is reported here, with its line, rather than
// by the neuron's own parser, which cannot say where it came from.
void Event::ReadInfluences(FieldReader& fields) {
    FieldReader pair;
    while (!fields.AtEnd()) {
        const std::string field = fields.NextField();
        if (BeginsWithMarker(field)) return;
        if (TrimBlanks(field).empty()) continue;
        const DataLocation where{sourceFile_, sourceLine_, Name(), "influences"};
        if (field.find(',') == std::string::npos) {
            ReportDataProblem(DataSeverity::Warning, where,
                              "influence needs a source and a formula in quotes: '" + field + "'",
                              kSource, __LINE__);
            continue;
        }
        pair.SetText(field);
        const std::string from = pair.NextField();
        if (from != "_random_" && !FindNamed(from)) {
            ReportDataProblem(DataSeverity::Error, where, "failed to find event influence " + from,
                              kSource, __LINE__);
            continue;
        }
        const size_t before = Inputs().size();
        AddInfluence(field);
        if (from == "_random_" && Inputs().size() > before)
            randomSources_.push_back(Inputs().back()->Source());
    }
}

// Targets are looked up only when the event fires (neurons made after the
// events may be meant), but the shape of each effect is checked now.
void Event::CheckEffects() const {
    FieldReader parts;
    for (const std::string& field : EffectFields()) {
        parts.SetText(field);
        const std::string target = TrimBlanks(parts.NextField());
        const std::string value = parts.NextField();
        const std::string decay = parts.NextField();
        const DataLocation where{sourceFile_, sourceLine_, Name(), target};
        if (target.empty() || !IsNumber(value) || !IsNumber(decay)) {
            ReportDataProblem(
                DataSeverity::Warning, where,
                "effect needs a target, a value and a decay in quotes: '" + field + "'", kSource,
                __LINE__);
        } else if (ParseFloat(decay) < 0.0f || ParseFloat(decay) > 1.0f) {
            ReportDataProblem(DataSeverity::Warning, where,
                              "decay " + decay + " is outside 0..1, so the grudge never fades",
                              kSource, __LINE__);
        }
    }
}

std::vector<std::string> Event::EffectFields() const {
    FieldReader fields(line_);
    for (int i = 0; i < kFixedFields; ++i) fields.NextField();
    std::vector<std::string> effects;
    bool pastDelimiter = false;
    while (!fields.AtEnd()) {
        const std::string field = fields.NextField();
        if (!pastDelimiter) {
            pastDelimiter = BeginsWithMarker(field);
        } else if (field.size() >= kShortestEffect) {
            effects.push_back(field);
        }
    }
    return effects;
}

void Event::Fire() {
    // The grudges of an earlier firing stay and fade on their own.
    applied_.clear();
    for (const std::string& field : EffectFields()) ApplyEffect(field);
    IssuesList::Instance().AddEvent(this);
    fired_ = true;
    EventManager::Instance().Fired(*this);
}

void Event::ApplyEffect(const std::string& field) {
    FieldReader parts(field);
    const std::string targetName = TrimBlanks(parts.NextField());
    const float value = parts.NextFloat();
    const float decay = parts.NextFloat();
    Neuron* target = FindNamed(targetName);
    // Reported with its line and skipped: a mistyped target must not end a
    // game in progress, as it once did.
    if (!target) {
        ReportDataProblem(DataSeverity::Error, {sourceFile_, sourceLine_, Name(), targetName},
                          "Failed to find grudge target", "Event", __LINE__);
        return;
    }
    Grudge* grudge = CreateGrudge(DisplayName(), value, decay, this);
    Network::CreateEffect(grudge, target, "0+(1.0*x)", 1.0f, value);
    applied_.push_back({target, value});
}

void Event::PlaySound() const {
    if (sound_.empty() || !SoundPlayer()) return;
    SoundPlayer()("data/sounds/" + sound_);
}

void Event::SetSoundPlayer(std::function<void(const std::string& path)> player) {
    SoundPlayer() = std::move(player);
}
