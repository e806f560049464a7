// SDL's audio device feeding from the software mixer.
#include "platform/AudioOutput.h"

#include <SDL.h>

#include <cstdint>

#include "platform/AudioMixer.h"

namespace platform {

namespace {

constexpr int kOutputRate = 44100;
// About 23 ms at 44100 Hz: short enough for clicks to feel immediate.
constexpr int kDeviceFrames = 1024;

void PullFrames(void* mixer, Uint8* stream, int bytes) {
    static_cast<AudioMixer*>(mixer)->Mix(reinterpret_cast<std::int16_t*>(stream), bytes / 4);
}

class SdlAudioOutput : public AudioOutput {
public:
    SdlAudioOutput(SDL_AudioDeviceID device, int rate, std::string driver)
        : device_(device), rate_(rate), driver_(std::move(driver)) {}
    ~SdlAudioOutput() override {
        SDL_CloseAudioDevice(device_);
        SDL_QuitSubSystem(SDL_INIT_AUDIO);
    }
    SdlAudioOutput(const SdlAudioOutput&) = delete;
    SdlAudioOutput& operator=(const SdlAudioOutput&) = delete;

    int SampleRate() const override { return rate_; }
    std::string Description() const override { return driver_; }

private:
    SDL_AudioDeviceID device_;
    int rate_;
    std::string driver_;
};

}  // namespace

std::unique_ptr<AudioOutput> OpenSdlAudioOutput(AudioMixer& mixer, std::string* error) {
    if (SDL_InitSubSystem(SDL_INIT_AUDIO) != 0) {
        if (error) *error = SDL_GetError();
        return nullptr;
    }
    SDL_AudioSpec wanted{};
    wanted.freq = mixer.OutputRate() > 0 ? mixer.OutputRate() : kOutputRate;
    wanted.format = AUDIO_S16LSB;
    wanted.channels = 2;
    wanted.samples = kDeviceFrames;
    wanted.callback = PullFrames;
    wanted.userdata = &mixer;
    // The mixer's format is fixed, so SDL converts if the card wants another.
    const SDL_AudioDeviceID device = SDL_OpenAudioDevice(nullptr, 0, &wanted, nullptr, 0);
    if (device == 0) {
        if (error) *error = SDL_GetError();
        SDL_QuitSubSystem(SDL_INIT_AUDIO);
        return nullptr;
    }
    const char* driver = SDL_GetCurrentAudioDriver();
    SDL_PauseAudioDevice(device, 0);
    return std::make_unique<SdlAudioOutput>(device, wanted.freq, driver ? driver : "unknown");
}

}  // namespace platform
