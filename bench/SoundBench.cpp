// The sound's work per device period and per refill: mixing a busy moment
// (music and eight effects) into 1024 frames, and decoding half a streaming
// buffer of the generated music, the refill thread's whole job.
#include <benchmark/benchmark.h>

#include <cstdint>
#include <vector>

#include "engine/MusicStream.h"
#include "engine/OggStream.h"
#include "engine/SoundDevice.h"
#include "platform/AudioMixer.h"
#include "platform/FileSystem.h"

namespace {

void BM_MixMusicAndEffects(benchmark::State& state) {
    platform::AudioMixer mixer(44100);
    std::vector<std::shared_ptr<platform::SoundBuffer>> buffers;
    buffers.push_back(mixer.CreateBuffer({2, 44100}, kStreamBufferBytes));
    for (int i = 0; i < 8; ++i)
        buffers.push_back(mixer.CreateBuffer({1, i % 2 ? 22050 : 44100}, 44100 * 2));
    for (auto& buffer : buffers) {
        buffer->SetVolume(-300);
        buffer->Play(true);
    }
    std::vector<std::int16_t> out(2048);
    for (auto _ : state) {
        mixer.Mix(out.data(), 1024);
        benchmark::DoNotOptimize(out.data());
    }
    state.SetItemsProcessed(state.iterations() * 1024);
}
BENCHMARK(BM_MixMusicAndEffects);

void BM_RefillHalfOfTheMusic(benchmark::State& state) {
    const auto image = platform::ReadFile(ResolveSoundFile("data/sounds/music.ogg"));
    if (!image) {
        state.SkipWithError("no generated music");
        return;
    }
    OggStream stream;
    stream.Open(*image);
    std::vector<char> half(kStreamHalfBytes);
    for (auto _ : state) {
        benchmark::DoNotOptimize(RefillHalf(stream, half.data(), half.size(), true));
    }
    state.SetBytesProcessed(state.iterations() * static_cast<std::int64_t>(kStreamHalfBytes));
}
BENCHMARK(BM_RefillHalfOfTheMusic);

}  // namespace
