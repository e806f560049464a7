// The sound card: an SDL audio device that pulls mixed frames from the
// mixer on SDL's audio thread. Tests and headless runs may choose SDL's
// "dummy" driver (SDL_AUDIODRIVER=dummy), which plays into nothing.
#pragma once

#include <memory>
#include <string>

namespace platform {

class AudioMixer;

class AudioOutput {
public:
    virtual ~AudioOutput() = default;
    virtual int SampleRate() const = 0;
    // The driver's name, for the log.
    virtual std::string Description() const = 0;
};

// Opens the default audio device at 44100 Hz stereo and starts pulling from
// `mixer`, which must outlive the output. Null when there is no device;
// `error` then says why.
std::unique_ptr<AudioOutput> OpenSdlAudioOutput(AudioMixer& mixer, std::string* error = nullptr);

}  // namespace platform
