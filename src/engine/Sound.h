// A sound effect or a music track. Effects are decoded whole and played
// from one to nine copies so that an effect can overlap itself; music is
// streamed through a small buffer that its own thread refills.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "platform/AudioMixer.h"

class Sound {
public:
    static constexpr int kMostCopies = 9;

    Sound();
    ~Sound();
    Sound(const Sound&) = delete;
    Sound& operator=(const Sound&) = delete;

    // Loads an effect from a game path ("data/sounds/click.ogg"): Ogg Vorbis
    // when the name contains ".ogg", otherwise RIFF WAVE. `loop` is on when
    // it is 1; `copies` is clamped to 1..9. False when there is no device or
    // the file has no samples.
    bool Load(std::string_view file, int volume, int loop, int copies);
    // Plays the next copy, round robin, from its start.
    void Play();
    // Clamped to 0..100 and applied to every copy.
    void SetVolume(int volume);
    int Volume() const { return volume_; }
    bool IsPlaying() const;

    // Prepares streaming of an Ogg Vorbis file. A file that is not Ogg
    // Vorbis is reported in a message box and fails.
    bool LoadMusic(std::string_view file);
    // Starts (or restarts) the stream from the beginning.
    void PlayMusic(bool loop);
    void Stop();

    bool IsMusic() const { return music_; }
    int CopyCount() const { return static_cast<int>(copies_.size()); }
    int LastCopyPlayed() const { return lastCopy_; }
    // The platform buffer of a copy (the streaming buffer for music), so
    // tests can see what would be heard.
    const platform::SoundBuffer* Buffer(int copy) const;
    const platform::PcmFormat& Format() const { return format_; }
    size_t SampleBytes() const { return samples_.size(); }

private:
    struct Stream;

    void Free();
    bool DecodeOgg(std::string image);
    bool ParseWave(const std::string& image);
    void CreateCopies();
    int MasterVolume() const;

    int volume_ = 80;
    bool music_ = false;
    bool loop_ = false;
    int copyCount_ = 1;
    int lastCopy_ = 0;
    bool device_ = false;
    platform::PcmFormat format_;
    std::vector<std::uint8_t> samples_;
    std::vector<std::shared_ptr<platform::SoundBuffer>> copies_;
    std::unique_ptr<Stream> stream_;
};
