// Our stand-in for the sound card's buffers: fixed-size PCM buffers with a
// play cursor, looping, volume and pan in hundredths of a decibel and
// position notifications, mixed in software into one stereo stream. An
// output (SDL's audio device, or a test pulling frames itself) asks for the
// mixed frames; with no output nothing advances and nothing is heard.
#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <memory>
#include <mutex>
#include <vector>

namespace platform {

// Samples are always 16-bit signed little-endian, interleaved.
struct PcmFormat {
    int channels = 2;
    int sampleRate = 44100;
    int BytesPerFrame() const { return channels * 2; }
};

class SoundBuffer {
public:
    SoundBuffer(PcmFormat format, size_t bytes);

    const PcmFormat& Format() const { return format_; }
    size_t Size() const { return data_.size(); }

    // Copies into the buffer at a byte offset (the lock, copy, unlock of a
    // sound card buffer); bytes past the end are dropped.
    void Write(size_t offset, const void* bytes, size_t count);
    // Fills a range with silence.
    void Clear(size_t offset, size_t count);

    void Play(bool looping);
    void Stop();
    bool IsPlaying() const;
    bool IsLooping() const;
    void SetPosition(size_t byte);
    size_t Position() const;

    // Attenuation in hundredths of a decibel: 0 is full level, -10000 silence.
    void SetVolume(int hundredthsOfDecibel);
    int Volume() const;
    // Negative values attenuate the right channel, positive the left.
    void SetPan(int hundredthsOfDecibel);
    int Pan() const;

    // `notify(index)` runs on the mixing thread whenever playback reaches
    // positions[index] (a byte offset); it must return quickly.
    void SetNotifications(std::vector<size_t> positions, std::function<void(size_t index)> notify);

private:
    friend class AudioMixer;
    // Adds this buffer's next frames into `out` (stereo floats) and moves the
    // cursor; called with the buffer's lock held.
    void MixInto(float* out, int frames, int outputRate);

    PcmFormat format_;
    std::vector<std::uint8_t> data_;
    mutable std::mutex mutex_;
    double cursor_ = 0;  // in frames, fractional when rates differ
    bool playing_ = false;
    bool looping_ = false;
    int volume_ = 0;
    int pan_ = 0;
    std::vector<size_t> notifyFrames_;
    std::function<void(size_t)> notify_;
};

class AudioMixer {
public:
    explicit AudioMixer(int outputRate) : outputRate_(outputRate) {}

    int OutputRate() const { return outputRate_; }

    // The mixer keeps only a weak reference: a buffer is silent once its
    // owner lets it go.
    std::shared_ptr<SoundBuffer> CreateBuffer(PcmFormat format, size_t bytes);

    // Mixes `frames` stereo frames of 16-bit samples; called by the output's
    // thread, or by tests to play time forward.
    void Mix(std::int16_t* stereo, int frames);

    // Buffers that would be heard now.
    int PlayingBufferCount() const;

private:
    int outputRate_;
    mutable std::mutex mutex_;
    std::vector<std::weak_ptr<SoundBuffer>> buffers_;
    std::vector<float> scratch_;
};

// Hundredths of a decibel as a linear gain; -10000 and below is silence.
float GainFromHundredthsOfDecibel(int value);

}  // namespace platform
