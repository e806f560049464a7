// An Ogg Vorbis file decoded from memory: the whole image is held and
// libvorbisfile reads it through our own read, seek, close and tell.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

class OggStream {
public:
    OggStream();
    ~OggStream();
    OggStream(const OggStream&) = delete;
    OggStream& operator=(const OggStream&) = delete;

    // Takes the file's bytes; false when they are not an Ogg Vorbis stream.
    bool Open(std::string fileImage);
    bool IsOpen() const { return open_; }
    void Close();

    int Channels() const { return channels_; }
    int SampleRate() const { return rate_; }
    // Frames (one sample per channel) in the whole stream; -1 when unknown.
    std::int64_t TotalFrames() const;

    // Decodes up to `capacity` bytes of 16-bit signed little-endian PCM.
    // Returns the bytes written, 0 at the end of the stream, negative on a
    // decoding error.
    long Read(char* out, int capacity);
    bool SeekToTime(double seconds);

    // The rest of the stream as samples, for effects that are decoded once.
    std::vector<std::int16_t> DecodeAll();

    // The file image and its read position, as the decoder's callbacks see it.
    struct MemoryFile;

private:
    struct Decoder;
    std::unique_ptr<MemoryFile> file_;
    std::unique_ptr<Decoder> decoder_;
    int channels_ = 0;
    int rate_ = 0;
    bool open_ = false;
};
