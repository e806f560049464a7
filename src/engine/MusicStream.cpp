// Decoding into a half of the streaming buffer.
#include "engine/MusicStream.h"

#include <climits>
#include <cstring>

#include "engine/OggStream.h"

HalfRefill RefillHalf(OggStream& stream, char* half, size_t bytes, bool looping) {
    std::memset(half, 0, bytes);
    HalfRefill result;
    bool restarted = false;  // an empty stream must not loop for ever
    while (result.bytesDecoded < bytes) {
        const size_t room = bytes - result.bytesDecoded;
        const long read = stream.Read(half + result.bytesDecoded,
                                      static_cast<int>(room > INT_MAX ? INT_MAX : room));
        if (read < 0) {
            std::memset(half + result.bytesDecoded, 0, room);
            break;
        }
        if (read == 0) {
            if (looping && !restarted && stream.SeekToTime(0.0)) {
                restarted = true;
                continue;
            }
            result.reachedEnd = true;
            break;
        }
        result.bytesDecoded += static_cast<size_t>(read);
        restarted = false;
    }
    return result;
}
