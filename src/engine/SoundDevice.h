// The program's one sound device, the master volumes and the decibel tables
// that turn the game's 0..100 volumes into attenuations.
#pragma once

#include <atomic>
#include <memory>
#include <string>
#include <string_view>

namespace platform {
class AudioMixer;
class AudioOutput;
}  // namespace platform

enum class SoundOutput {
    Speakers,  // SDL's audio device (SDL_AUDIODRIVER=dummy plays into nothing)
    Manual,    // mixing only: a test pulls frames from the mixer itself
    None,      // no device at all: every sound operation does nothing
};

class SoundDevice {
public:
    static SoundDevice& Instance();

    // Chooses what the next device start opens; the game leaves Speakers.
    static void SetOutput(SoundOutput output);

    // Sound objects count themselves: the first starts the device, the last
    // releases it. Frame thread only.
    void AddUser();
    void RemoveUser();

    // Null when there is no device.
    platform::AudioMixer* Mixer() const { return mixer_.get(); }
    int SampleRate() const { return sampleRate_; }

    int EffectsMasterVolume() const { return effectsMaster_.load(); }
    int MusicMasterVolume() const { return musicMaster_.load(); }
    void SetEffectsMasterVolume(int volume);
    void SetMusicMasterVolume(int volume);

private:
    SoundDevice() = default;
    void Start();
    void Release();

    std::unique_ptr<platform::AudioMixer> mixer_;
    std::unique_ptr<platform::AudioOutput> output_;
    int users_ = 0;
    int sampleRate_ = 0;
    std::atomic<int> effectsMaster_{100};
    std::atomic<int> musicMaster_{100};
};

// Attenuation in hundredths of a decibel for a volume index 0..100: 0 is
// silence (-10000), otherwise -100 ln(i/100) / ln(0.92) truncated, not below
// -10000.
int VolumeTableEntry(int index);
// Pan -100..100 (table index pan + 100) in hundredths of a decibel.
int PanTableEntry(int index);
// What a buffer is set to for an object's volume under a master volume: the
// table entry at volume x master / 100, clamped to 0..99, so 100 plays at 99.
int AppliedVolume(int volume, int master);

// A game path "data/sounds/x.ogg": the game's own file when it exists,
// otherwise the copy the build generated.
std::string ResolveSoundFile(std::string_view gamePath);
