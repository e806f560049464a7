// The neuron debugger: appends a line to "debugdata/<name>.txt" each time a
// watched neuron is recalculated. Which neurons are watched comes from
// "debugdata/_config.txt"; the game plays the same with or without it.
#pragma once

#include <string>
#include <string_view>
#include <vector>

class Neuron;

class NeuronDebugger {
public:
    // Created (and the watch list read) when first asked.
    static NeuronDebugger& Instance();

    // Reads the watch lines again and re-decides every existing neuron, for
    // a config written after start-up. A missing file watches nothing.
    void Load(std::string_view path = "debugdata/_config.txt");

    // A neuron is watched when its whole name (not empty) occurs anywhere
    // inside one watch line, so "GDP Unemployment" watches both. Neurons ask
    // once per name (Neuron::SetName), not on every recalculation.
    bool Watches(const Neuron* neuron) const;
    bool WatchesName(std::string_view name) const;
    bool IsWatchingAnything() const { return !watchLines_.empty(); }

    // Appends the text and a line feed to "debugdata/<name>.txt"; a file
    // that cannot be opened is skipped.
    void Write(const Neuron& neuron, std::string_view text) const;

private:
    NeuronDebugger();
    void ReadWatchLines(std::string_view path);
    std::vector<std::string> watchLines_;
};
