// Refilling one half of a music stream's buffer: the decoding half of the
// streaming, kept apart from threads and devices so it can be checked alone.
#pragma once

#include <cstddef>

class OggStream;

struct HalfRefill {
    size_t bytesDecoded = 0;
    // The stream ended inside this half and is not looping: the rest of the
    // half is silence and the music stops once it has been heard.
    bool reachedEnd = false;
};

// Clears `bytes` at `half` to silence and decodes 16-bit samples into it
// until it is full. At the end of the stream a looping stream starts again
// from time 0; a decoding error leaves the rest of the half silent.
HalfRefill RefillHalf(OggStream& stream, char* half, size_t bytes, bool looping);

// The streaming buffer of the music: 32768 bytes refilled 16384 at a time.
constexpr size_t kStreamBufferBytes = 32768;
constexpr size_t kStreamHalfBytes = kStreamBufferBytes / 2;
