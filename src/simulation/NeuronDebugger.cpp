// Watch list and trace files of the neuron debugger.
#include "simulation/NeuronDebugger.h"

#include <cstdio>

#include "core/TextFile.h"
#include "engine/Diagnostics.h"
#include "platform/FileSystem.h"
#include "simulation/Network.h"

namespace {
// The classic line buffer: a longer watch line continues as the next one.
constexpr size_t kMaxWatchLine = 1023;
}  // namespace

NeuronDebugger& NeuronDebugger::Instance() {
    static NeuronDebugger debugger;
    return debugger;
}

NeuronDebugger::NeuronDebugger() {
    ReadWatchLines("debugdata/_config.txt");
}

void NeuronDebugger::Load(std::string_view path) {
    ReadWatchLines(path);
    Network::ForEachNeuron([](Neuron& neuron) { neuron.RefreshWatched(); });
}

void NeuronDebugger::ReadWatchLines(std::string_view path) {
    watchLines_.clear();
    if (const auto file = TextFile::Open(path)) {
        for (const std::string& line : file->Lines()) {
            for (size_t at = 0; at == 0 || at < line.size(); at += kMaxWatchLine) {
                watchLines_.push_back(line.substr(at, kMaxWatchLine));
            }
        }
    }
}

bool NeuronDebugger::Watches(const Neuron* neuron) const {
    Assert(neuron != nullptr, "NeuronDebugger", __LINE__);
    return neuron && WatchesName(neuron->Name());
}

bool NeuronDebugger::WatchesName(std::string_view name) const {
    if (name.empty()) return false;
    for (const std::string& line : watchLines_) {
        if (line.find(name) != std::string::npos) return true;
    }
    return false;
}

void NeuronDebugger::Write(const Neuron& neuron, std::string_view text) const {
    const std::string path = platform::ResolvePathForWriting("debugdata/" + neuron.Name() + ".txt");
    std::FILE* file = std::fopen(path.c_str(), "a");
    if (!file) return;
    std::fwrite(text.data(), 1, text.size(), file);
    std::fputc('\n', file);
    std::fclose(file);
}
