// The two background tracks. They are rendered as one ring, the first track
// followed by the second, so each flows into the other and the second back
// into the first: the game alternates them without a seam.
#pragma once

#include <utility>

#include "Synth.h"

namespace synth {

struct MusicTracks {
    PcmSound first;   // music.ogg
    PcmSound second;  // music2.ogg
};

// `bars` per track; the game uses 48 (two minutes forty each).
MusicTracks SynthesizeMusic(int bars = 48);

}  // namespace synth
