// Software mixing of the sound buffers.
#include "platform/AudioMixer.h"

#include <algorithm>
#include <cmath>
#include <cstring>

namespace platform {

float GainFromHundredthsOfDecibel(int value) {
    if (value <= -10000) return 0.0f;
    return std::pow(10.0f, static_cast<float>(value) / 2000.0f);
}

SoundBuffer::SoundBuffer(PcmFormat format, size_t bytes) : format_(format), data_(bytes, 0) {}

void SoundBuffer::Write(size_t offset, const void* bytes, size_t count) {
    std::lock_guard lock(mutex_);
    if (offset >= data_.size()) return;
    std::memcpy(data_.data() + offset, bytes, std::min(count, data_.size() - offset));
}

void SoundBuffer::Clear(size_t offset, size_t count) {
    std::lock_guard lock(mutex_);
    if (offset >= data_.size()) return;
    std::memset(data_.data() + offset, 0, std::min(count, data_.size() - offset));
}

void SoundBuffer::Play(bool looping) {
    std::lock_guard lock(mutex_);
    playing_ = true;
    looping_ = looping;
}

void SoundBuffer::Stop() {
    std::lock_guard lock(mutex_);
    playing_ = false;
}

bool SoundBuffer::IsPlaying() const {
    std::lock_guard lock(mutex_);
    return playing_;
}

bool SoundBuffer::IsLooping() const {
    std::lock_guard lock(mutex_);
    return looping_;
}

void SoundBuffer::SetPosition(size_t byte) {
    std::lock_guard lock(mutex_);
    cursor_ = static_cast<double>(std::min(byte, data_.size()) / format_.BytesPerFrame());
}

size_t SoundBuffer::Position() const {
    std::lock_guard lock(mutex_);
    return static_cast<size_t>(cursor_) * format_.BytesPerFrame();
}

void SoundBuffer::SetVolume(int value) {
    std::lock_guard lock(mutex_);
    volume_ = std::clamp(value, -10000, 0);
}

int SoundBuffer::Volume() const {
    std::lock_guard lock(mutex_);
    return volume_;
}

void SoundBuffer::SetPan(int value) {
    std::lock_guard lock(mutex_);
    pan_ = std::clamp(value, -10000, 10000);
}

int SoundBuffer::Pan() const {
    std::lock_guard lock(mutex_);
    return pan_;
}

void SoundBuffer::SetNotifications(std::vector<size_t> positions,
                                   std::function<void(size_t)> notify) {
    std::lock_guard lock(mutex_);
    notifyFrames_.clear();
    for (size_t p : positions) notifyFrames_.push_back(p / format_.BytesPerFrame());
    notify_ = std::move(notify);
}

void SoundBuffer::MixInto(float* out, int frames, int outputRate) {
    const size_t total = data_.size() / format_.BytesPerFrame();
    if (!playing_ || total == 0) return;
    const float gain = GainFromHundredthsOfDecibel(volume_);
    const float left = gain * GainFromHundredthsOfDecibel(std::min(0, -pan_));
    const float right = gain * GainFromHundredthsOfDecibel(std::min(0, pan_));
    const double step = static_cast<double>(format_.sampleRate) / outputRate;
    const auto* samples = reinterpret_cast<const std::int16_t*>(data_.data());
    const int channels = format_.channels;
    for (int f = 0; f < frames; ++f) {
        const size_t frame = static_cast<size_t>(cursor_);
        const float l = samples[frame * channels] / 32768.0f;
        const float r = channels > 1 ? samples[frame * channels + 1] / 32768.0f : l;
        out[2 * f] += l * left;
        out[2 * f + 1] += r * right;
        const size_t before = frame;
        cursor_ += step;
        size_t after = static_cast<size_t>(cursor_);
        const bool wrapped = after >= total;
        if (wrapped) {
            if (!looping_) {
                playing_ = false;
                cursor_ = 0;
                return;
            }
            cursor_ -= static_cast<double>(total);
            after = static_cast<size_t>(cursor_);
        }
        if (!notify_) continue;
        for (size_t i = 0; i < notifyFrames_.size(); ++i) {
            const size_t at = notifyFrames_[i];
            const bool reached =
                wrapped ? (at > before || at <= after) : (at > before && at <= after);
            if (reached) notify_(i);
        }
    }
}

std::shared_ptr<SoundBuffer> AudioMixer::CreateBuffer(PcmFormat format, size_t bytes) {
    auto buffer = std::make_shared<SoundBuffer>(format, bytes);
    std::lock_guard lock(mutex_);
    std::erase_if(buffers_, [](const std::weak_ptr<SoundBuffer>& b) { return b.expired(); });
    buffers_.push_back(buffer);
    return buffer;
}

void AudioMixer::Mix(std::int16_t* stereo, int frames) {
    std::lock_guard lock(mutex_);
    scratch_.assign(static_cast<size_t>(frames) * 2, 0.0f);
    for (const auto& weak : buffers_) {
        if (const auto buffer = weak.lock()) {
            std::lock_guard bufferLock(buffer->mutex_);
            buffer->MixInto(scratch_.data(), frames, outputRate_);
        }
    }
    for (size_t i = 0; i < scratch_.size(); ++i) {
        stereo[i] = static_cast<std::int16_t>(
            std::lround(std::clamp(scratch_[i], -1.0f, 32767.0f / 32768.0f) * 32768.0f));
    }
}

int AudioMixer::PlayingBufferCount() const {
    std::lock_guard lock(mutex_);
    int count = 0;
    for (const auto& weak : buffers_) {
        if (const auto buffer = weak.lock(); buffer && buffer->IsPlaying()) ++count;
    }
    return count;
}

}  // namespace platform
