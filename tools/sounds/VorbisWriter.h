// Encoding synthesized sounds as Ogg Vorbis with libvorbisenc.
#pragma once

#include <cstdint>
#include <string>

#include "Synth.h"

namespace synth {

// The whole Ogg Vorbis file. A fixed stream serial number keeps the output
// identical from build to build. `quality` is libvorbisenc's -0.1..1.
std::string EncodeOggVorbis(const PcmSound& sound, float quality, std::uint32_t serial);

}  // namespace synth
