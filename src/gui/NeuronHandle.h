// A window's hold on the neuron it shows. A new game or a loaded one deletes
// every neuron while windows may still be open, so a window asks through the
// handle each time and closes once its neuron has gone.
#pragma once

#include <cstdint>
#include <string>

class Neuron;

class NeuronHandle {
public:
    NeuronHandle() = default;
    explicit NeuronHandle(const Neuron* neuron);

    // The neuron while it still lives in the network; null once it has gone,
    // even if another neuron of the same name took its place.
    Neuron* Get() const;
    bool IsGone() const { return Get() == nullptr; }

private:
    const Neuron* neuron_ = nullptr;
    std::string name_;
    std::uint64_t serial_ = 0;
};
