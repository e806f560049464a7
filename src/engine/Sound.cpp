// Effects decoded whole, and music refilled half a buffer at a time on the
// stream's own thread. That thread shares only its buffer, its decoder and
// single-byte flags with the frame thread.
#include "engine/Sound.h"

#include <algorithm>
#include <atomic>
#include <chrono>
#include <condition_variable>
#include <cstring>
#include <mutex>
#include <thread>

#include "engine/DebugLog.h"
#include "engine/MusicStream.h"
#include "engine/OggStream.h"
#include "engine/SoundDevice.h"
#include "platform/FileSystem.h"
#include "platform/Shell.h"

namespace {

// What the notifications of a sound card buffer were: set by the mixing
// thread, waited for by the refill thread.
class AutoResetEvent {
public:
    void Set() {
        {
            std::lock_guard lock(mutex_);
            set_ = true;
        }
        condition_.notify_one();
    }
    bool WaitFor(std::chrono::milliseconds timeout) {
        std::unique_lock lock(mutex_);
        if (!condition_.wait_for(lock, timeout, [this] { return set_; })) return false;
        set_ = false;
        return true;
    }

private:
    std::mutex mutex_;
    std::condition_variable condition_;
    bool set_ = false;
};

constexpr auto kEventWait = std::chrono::milliseconds(50);

std::uint32_t ReadLittleEndian32(const std::string& bytes, size_t at) {
    std::uint32_t value = 0;
    for (int i = 3; i >= 0; --i) value = (value << 8) | static_cast<std::uint8_t>(bytes[at + i]);
    return value;
}

std::uint16_t ReadLittleEndian16(const std::string& bytes, size_t at) {
    return static_cast<std::uint16_t>(static_cast<std::uint8_t>(bytes[at]) |
                                      (static_cast<std::uint8_t>(bytes[at + 1]) << 8));
}

}  // namespace

struct Sound::Stream {
    OggStream ogg;
    std::shared_ptr<platform::SoundBuffer> buffer;
    // [0]: the first half has been heard, [1]: the second half has.
    AutoResetEvent halfPlayed[2];
    std::thread thread;
    std::atomic<bool> ready{false};
    std::atomic<bool> stopRequested{false};
    std::atomic<bool> finished{false};
    std::atomic<bool> looping{false};
    std::atomic<int> volume{80};
    // The half in which the stream ended; touched by whoever owns the
    // decoder at the time (the frame thread only while the thread is stopped).
    int endedInHalf = -1;
    char scratch[kStreamHalfBytes];

    void Refill(int half) {
        if (endedInHalf == half) {
            // The end and its silent tail have been heard.
            buffer->Stop();
            buffer->Clear(0, kStreamBufferBytes);
            ogg.SeekToTime(0.0);
            buffer->SetPosition(0);
            finished = true;
            return;
        }
        if (endedInHalf >= 0) {
            buffer->Clear(half * kStreamHalfBytes, kStreamHalfBytes);
            return;
        }
        const HalfRefill refill = RefillHalf(ogg, scratch, kStreamHalfBytes, looping);
        buffer->Write(half * kStreamHalfBytes, scratch, kStreamHalfBytes);
        if (refill.reachedEnd) endedInHalf = half;
    }

    void Run() {
        int appliedMaster = -1, appliedVolume = -1;
        ready = true;
        while (!stopRequested) {
            const int master = SoundDevice::Instance().MusicMasterVolume();
            if (master != appliedMaster || volume != appliedVolume) {
                appliedMaster = master;
                appliedVolume = volume;
                buffer->SetVolume(AppliedVolume(appliedVolume, appliedMaster));
            }
            for (int half = 0; half < 2 && !stopRequested; ++half) {
                if (halfPlayed[half].WaitFor(kEventWait) && !finished) Refill(half);
            }
            std::this_thread::yield();
        }
    }

    void StopThread() {
        if (!thread.joinable()) return;
        stopRequested = true;
        buffer->Stop();
        thread.join();
        stopRequested = false;
        ready = false;
    }
};

Sound::Sound() {
    SoundDevice::Instance().AddUser();
    device_ = SoundDevice::Instance().Mixer() != nullptr;
}

Sound::~Sound() {
    Free();
    SoundDevice::Instance().RemoveUser();
}

void Sound::Free() {
    if (stream_) {
        stream_->StopThread();
        // Waits for a mix in progress, so no notification reaches a freed stream.
        stream_->buffer->SetNotifications({}, nullptr);
        stream_.reset();
    }
    for (auto& copy : copies_) copy->Stop();
    copies_.clear();
    samples_.clear();
    lastCopy_ = 0;
}

int Sound::MasterVolume() const {
    return music_ ? SoundDevice::Instance().MusicMasterVolume()
                  : SoundDevice::Instance().EffectsMasterVolume();
}

bool Sound::Load(std::string_view file, int volume, int loop, int copies) {
    Free();
    music_ = false;
    volume_ = volume;
    loop_ = loop == 1;
    copyCount_ = std::clamp(copies, 1, kMostCopies);
    if (!device_) return false;
    auto image = platform::ReadFile(ResolveSoundFile(file));
    const bool ogg = file.find(".ogg") != std::string_view::npos;
    const bool decoded = image && (ogg ? DecodeOgg(std::move(*image)) : ParseWave(*image));
    if (!decoded || samples_.empty()) {
        Log("Sound: cannot load " + std::string(file));
        samples_.clear();
        return false;
    }
    CreateCopies();
    return true;
}

bool Sound::DecodeOgg(std::string image) {
    OggStream ogg;
    if (!ogg.Open(std::move(image))) return false;
    const std::vector<std::int16_t> pcm = ogg.DecodeAll();
    format_ = {ogg.Channels(), ogg.SampleRate()};
    samples_.resize(pcm.size() * 2);
    std::memcpy(samples_.data(), pcm.data(), samples_.size());
    return true;
}

bool Sound::ParseWave(const std::string& image) {
    // The first "fmt " and "data" tags anywhere in the file, as the game has
    // always looked for them, rather than walking the chunk list.
    if (image.size() <= 5) return false;
    size_t format = std::string::npos, data = std::string::npos;
    for (size_t i = 0; i + 5 < image.size(); ++i) {
        if (format == std::string::npos && image.compare(i, 4, "fmt ") == 0) format = i + 8;
        if (data == std::string::npos && image.compare(i, 4, "data") == 0) data = i;
    }
    if (data == std::string::npos || format == std::string::npos || format + 16 > image.size() ||
        data + 8 > image.size()) {
        return false;
    }
    const int channels = ReadLittleEndian16(image, format + 2);
    const int rate = static_cast<int>(ReadLittleEndian32(image, format + 4));
    const int bits = ReadLittleEndian16(image, format + 14);
    // The mixer plays 16-bit samples; others are not sounds the game ships.
    if (bits != 16 || channels < 1 || channels > 2 || rate <= 0) return false;
    const size_t size =
        std::min<size_t>(ReadLittleEndian32(image, data + 4), image.size() - (data + 8));
    format_ = {channels, rate};
    samples_.assign(image.begin() + static_cast<std::ptrdiff_t>(data + 8),
                    image.begin() + static_cast<std::ptrdiff_t>(data + 8 + size / 2 * 2));
    return true;
}

void Sound::CreateCopies() {
    for (int i = 0; i < copyCount_; ++i) {
        auto buffer = SoundDevice::Instance().Mixer()->CreateBuffer(format_, samples_.size());
        buffer->Write(0, samples_.data(), samples_.size());
        buffer->SetPan(PanTableEntry(100));
        copies_.push_back(std::move(buffer));
    }
}

void Sound::Play() {
    if (copies_.empty() || music_) return;
    lastCopy_ = (lastCopy_ + 1) % static_cast<int>(copies_.size());
    auto& copy = copies_[static_cast<size_t>(lastCopy_)];
    // Sound card buffers could be lost and had to be refilled here; the
    // software mixer never loses them.
    copy->SetPosition(0);
    copy->SetVolume(AppliedVolume(volume_, MasterVolume()));
    copy->Play(loop_);
}

void Sound::SetVolume(int volume) {
    volume_ = std::clamp(volume, 0, 100);
    for (auto& copy : copies_) copy->SetVolume(AppliedVolume(volume_, MasterVolume()));
    if (stream_) {
        stream_->volume = volume_;
        stream_->buffer->SetVolume(AppliedVolume(volume_, MasterVolume()));
    }
}

bool Sound::IsPlaying() const {
    if (stream_) return stream_->ready && stream_->buffer->IsPlaying();
    return std::any_of(copies_.begin(), copies_.end(),
                       [](const auto& copy) { return copy->IsPlaying(); });
}

bool Sound::LoadMusic(std::string_view file) {
    Free();
    music_ = true;
    if (!device_) return false;
    auto image = platform::ReadFile(ResolveSoundFile(file));
    auto stream = std::make_unique<Stream>();
    if (!image || !stream->ogg.Open(std::move(*image))) {
        Log("Sound: error could not detect ogg file " + std::string(file));
        platform::ShowMessageBox("error", "error could not detect ogg file");
        return false;
    }
    format_ = {stream->ogg.Channels(), stream->ogg.SampleRate()};
    stream->buffer = SoundDevice::Instance().Mixer()->CreateBuffer(format_, kStreamBufferBytes);
    Stream* raw = stream.get();
    // Each half is refilled once it has been heard, not when it starts
    // playing, so the decoder never writes where the cursor is reading.
    stream->buffer->SetNotifications({kStreamHalfBytes, 0},
                                     [raw](size_t index) { raw->halfPlayed[index].Set(); });
    stream_ = std::move(stream);
    return true;
}

void Sound::PlayMusic(bool loop) {
    if (!stream_) return;
    Stream& s = *stream_;
    s.StopThread();
    s.ogg.SeekToTime(0.0);
    s.buffer->Stop();
    s.buffer->SetPosition(0);
    s.looping = loop;
    s.finished = false;
    s.endedInHalf = -1;
    s.volume = volume_;
    // Both halves are filled before playing, so the track starts with music
    // rather than a buffer's worth of silence.
    for (auto& event : s.halfPlayed) event.WaitFor(std::chrono::milliseconds(0));
    s.Refill(0);
    s.Refill(1);
    s.thread = std::thread([&s] { s.Run(); });
    while (!s.ready) std::this_thread::yield();
    s.buffer->SetVolume(AppliedVolume(volume_, MasterVolume()));
    s.buffer->Play(true);
    loop_ = loop;
}

void Sound::Stop() {
    if (stream_) {
        stream_->StopThread();
        stream_->buffer->Stop();
    }
    for (auto& copy : copies_) copy->Stop();
}

const platform::SoundBuffer* Sound::Buffer(int copy) const {
    if (stream_) return copy == 0 ? stream_->buffer.get() : nullptr;
    if (copy < 0 || copy >= static_cast<int>(copies_.size())) return nullptr;
    return copies_[static_cast<size_t>(copy)].get();
}
