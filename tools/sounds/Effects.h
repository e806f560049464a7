// The game's sound effects, synthesized: the button click, the election
// crowds, fireworks and the opposition's attacks.
#pragma once

#include <string>
#include <vector>

#include "Synth.h"

namespace synth {

struct NamedSound {
    std::string fileName;  // under data/sounds/
    PcmSound sound;
};

// Every effect the game plays, in a fixed order.
std::vector<NamedSound> SynthesizeEffects();

PcmSound Click();
PcmSound CrowdCheer();
PcmSound CrowdClap();
PcmSound CrowdAngry();
PcmSound Firework(int variant);
PcmSound Ak47();
PcmSound Explosion();
PcmSound Prison();

}  // namespace synth
