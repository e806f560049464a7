// Starting and releasing the sound device; volume and pan tables.
#include "engine/SoundDevice.h"

#include <algorithm>
#include <array>
#include <cmath>

#include "engine/DataPaths.h"
#include "engine/DebugLog.h"
#include "platform/AudioMixer.h"
#include "platform/AudioOutput.h"

namespace {

SoundOutput g_output = SoundOutput::Speakers;
constexpr int kPreferredRate = 44100;

const std::array<int, 101>& VolumeTable() {
    static const auto table = [] {
        std::array<int, 101> values{};
        values[0] = -10000;
        for (int i = 1; i <= 100; ++i) {
            const double entry = -100.0 * std::log(i / 100.0) / std::log(0.92);
            values[i] = std::max(-10000, static_cast<int>(entry));
        }
        return values;
    }();
    return table;
}

const std::array<int, 201>& PanTable() {
    static const auto table = [] {
        std::array<int, 201> values{};
        values[0] = -10000;
        values[200] = 10000;
        for (int i = 1; i <= 100; ++i) {
            values[i] = static_cast<int>(-100.0 * std::log(i / 100.0) / std::log(0.954999));
            values[200 - i] = -values[i];
        }
        return values;
    }();
    return table;
}

}  // namespace

SoundDevice& SoundDevice::Instance() {
    // Never destroyed: sounds kept by other program-wide objects are released
    // at exit in an order nobody controls, and each tells the device.
    static SoundDevice& device = *new SoundDevice;
    return device;
}

void SoundDevice::SetOutput(SoundOutput output) {
    g_output = output;
}

void SoundDevice::AddUser() {
    if (users_++ == 0) Start();
}

void SoundDevice::RemoveUser() {
    if (users_ > 0 && --users_ == 0) Release();
}

void SoundDevice::Start() {
    if (g_output == SoundOutput::None) {
        Log("Sound: no sound device");
        return;
    }
    mixer_ = std::make_unique<platform::AudioMixer>(kPreferredRate);
    sampleRate_ = kPreferredRate;
    if (g_output == SoundOutput::Manual) return;
    std::string error;
    output_ = platform::OpenSdlAudioOutput(*mixer_, &error);
    if (!output_) {
        Log("Sound: no sound device: " + error);
        mixer_.reset();
        sampleRate_ = 0;
        return;
    }
    sampleRate_ = output_->SampleRate();
    Log("Sound: device " + output_->Description() + " at " + std::to_string(sampleRate_) + " Hz");
}

void SoundDevice::Release() {
    output_.reset();  // stops the pulling thread before the mixer goes
    mixer_.reset();
    sampleRate_ = 0;
}

void SoundDevice::SetEffectsMasterVolume(int volume) {
    effectsMaster_ = std::clamp(volume, 0, 100);
}
void SoundDevice::SetMusicMasterVolume(int volume) {
    musicMaster_ = std::clamp(volume, 0, 100);
}

int VolumeTableEntry(int index) {
    return VolumeTable()[static_cast<size_t>(std::clamp(index, 0, 100))];
}

int PanTableEntry(int index) {
    return PanTable()[static_cast<size_t>(std::clamp(index, 0, 200))];
}

int AppliedVolume(int volume, int master) {
    return VolumeTableEntry(std::clamp(volume * master / 100, 0, 99));
}

std::string ResolveSoundFile(std::string_view gamePath) {
    std::string path(gamePath);
    std::replace(path.begin(), path.end(), '\\', '/');
    if (path.rfind("./", 0) == 0) path.erase(0, 2);
    if (path.rfind("data/", 0) != 0) return path;
    return FindDataFile(std::string_view(path).substr(5));
}
