// What the details windows list about a neuron: the inputs that push it and
// the neurons it pushes, each with the signed size of the push as the
// network last computed it. Plain data, so the rules are testable without
// drawing.
#pragma once

#include <cstddef>
#include <string>
#include <vector>

class Neuron;
class NeuralEffect;

struct InfluenceRow {
    const Neuron* other = nullptr;  // the source of an input, the target of an output
    std::string name;               // what the player reads
    float output = 0.0f;            // the effect's contribution, signed
};

// The effect's last computed contribution, with a policy's phase-in applied
// (reading it never moves the effect on).
float EffectContribution(const NeuralEffect& effect);
// The display name, or the name when there is none. A grudge carries the
// name of what caused it (a policy, an event), shown by that one's name.
std::string ReadableName(const Neuron& neuron);

// A voter group's influences in the order of its inputs: only active sources,
// and none whose name begins with "_" except the national debt; at most
// `limit` rows.
std::vector<InfluenceRow> VoterGroupInfluences(const Neuron& group, size_t limit = 6);
// The strongest pushes into and out of a neuron, largest size first, leaving
// out hidden helpers (names beginning with "_" other than the national
// debt), voters, and effects that deliver nothing.
std::vector<InfluenceRow> StrongestInputs(const Neuron& neuron, size_t limit);
std::vector<InfluenceRow> StrongestOutputs(const Neuron& neuron, size_t limit);
