// Grudges and the grudge list.
#include "world/Grudge.h"

#include <algorithm>

#include "simulation/Network.h"

namespace {

// A grudge is gone once it has faded to within this of zero.
constexpr float kFadedOut = 0.01f;

std::vector<Grudge*>& List() {
    static std::vector<Grudge*> grudges;
    return grudges;
}

// A grudge stays while it keeps its sign and its size. One created at
// exactly 0 counts as negative and so goes at its first update.
bool Stays(float oldValue, float newValue) {
    if (oldValue > 0.0f) return newValue >= kFadedOut;
    return newValue <= -kFadedOut;
}

}  // namespace

Grudge::Grudge(std::string_view name, float value, float decay, GrudgeOwner owner)
    : decay_(decay), owner_(owner) {
    SetKind(NeuronKind::Grudge);
    SetName(name);
    SetDisplayName(name);
    value_ = value;
    List().push_back(this);
}

// A grudge deleted by anyone (the network's clearing included) leaves the
// list, so the list never holds a deleted neuron.
Grudge::~Grudge() {
    auto& grudges = List();
    grudges.erase(std::remove(grudges.begin(), grudges.end(), this), grudges.end());
}

float Grudge::Recalculate() {
    ClearChanged();
    Propagate();
    return value_;
}

void Grudge::SetValue(float value) {
    value_ = value;
    MarkChanged();
}

Grudge* CreateGrudge(std::string_view name, float value, float decay, GrudgeOwner owner) {
    return Network::Create<Grudge>(name, value, decay, owner);
}

void UpdateGrudges() {
    auto& grudges = List();
    for (size_t i = 0; i < grudges.size();) {
        Grudge* grudge = grudges[i];
        const float old = grudge->value_;
        grudge->value_ = old * grudge->decay_;
        ++grudge->age_;
        if (Stays(old, grudge->value_)) {
            grudge->MarkChanged();
            ++i;
            continue;
        }
        // The next grudge moves up into slot i and is looked at next.
        grudges.erase(grudges.begin() + static_cast<std::ptrdiff_t>(i));
        Network::Destroy(grudge);
    }
}

void ClearGrudgeList() {
    List().clear();
}

const std::vector<Grudge*>& GrudgeList() {
    return List();
}
