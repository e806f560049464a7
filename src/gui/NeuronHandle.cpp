// Neuron handles.
#include "gui/NeuronHandle.h"

#include "simulation/Network.h"
#include "simulation/Neuron.h"

NeuronHandle::NeuronHandle(const Neuron* neuron) : neuron_(neuron) {
    if (!neuron) return;
    name_ = neuron->Name();
    serial_ = neuron->Serial();
}

Neuron* NeuronHandle::Get() const {
    if (!neuron_) return nullptr;
    // The pointer is only compared until the registry vouches for it; the
    // serial tells a neuron from a later one built at the same address.
    Neuron* found = Network::FindByName(name_);
    if (found != neuron_ || found->Serial() != serial_) return nullptr;
    return found;
}
