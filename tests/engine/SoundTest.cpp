// Sound: the decibel tables, Ogg decoding, effect copies, the music stream's
// refills and the alternation of the two tracks, heard through a mixer that
// the test itself pulls.
#include <gtest/gtest.h>

#include <chrono>
#include <cmath>
#include <cstring>
#include <thread>

#include "Synth.h"
#include "VorbisWriter.h"
#include "engine/MusicPlayer.h"
#include "engine/MusicStream.h"
#include "engine/OggStream.h"
#include "engine/Sound.h"
#include "engine/SoundDevice.h"
#include "engine/SoundEffects.h"
#include "platform/AudioMixer.h"
#include "platform/FileSystem.h"
#include "support/TempDirectory.h"

using namespace std::string_literals;

namespace {

// A quiet sine as an Ogg Vorbis file of exactly `frames` frames.
std::string SineOgg(int channels, size_t frames, double frequency = 440.0) {
    synth::PcmSound sound(channels, 0);
    sound.samples.resize(frames * channels);
    for (size_t f = 0; f < frames; ++f) {
        for (int c = 0; c < channels; ++c) {
            sound.samples[f * channels + c] =
                0.25f * static_cast<float>(std::sin(6.283185307 * frequency * f / 44100.0));
        }
    }
    return synth::EncodeOggVorbis(sound, 0.4f, 7);
}

// Sounds made in a test are heard only by the test.
class ManualSoundOutput {
public:
    ManualSoundOutput() { SoundDevice::SetOutput(SoundOutput::Manual); }
    ~ManualSoundOutput() {
        SoundEffects::Instance().Clear();
        SoundDevice::SetOutput(SoundOutput::Speakers);
    }
};

// Plays time forward in device-sized pieces, giving the refill thread a
// moment after each; returns the loudest sample heard.
int PlayFor(size_t frames) {
    std::vector<std::int16_t> out(2048);
    int loudest = 0;
    for (size_t done = 0; done < frames; done += 1024) {
        SoundDevice::Instance().Mixer()->Mix(out.data(), 1024);
        for (std::int16_t s : out) loudest = std::max(loudest, std::abs(static_cast<int>(s)));
        std::this_thread::sleep_for(std::chrono::milliseconds(2));
    }
    return loudest;
}

template <typename Condition>
bool WaitUntil(Condition condition) {
    for (int i = 0; i < 400 && !condition(); ++i)
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
    return condition();
}

}  // namespace

TEST(SoundTables, EntriesAtTheEdgesAndTheMiddle) {
    EXPECT_EQ(VolumeTableEntry(0), -10000);
    EXPECT_EQ(VolumeTableEntry(1), -5523);
    EXPECT_EQ(VolumeTableEntry(50), -831);
    EXPECT_EQ(VolumeTableEntry(99), -12);
    EXPECT_EQ(VolumeTableEntry(100), 0);
    EXPECT_EQ(PanTableEntry(0), -10000);
    EXPECT_EQ(PanTableEntry(1), -10001);
    EXPECT_EQ(PanTableEntry(50), -1505);
    EXPECT_EQ(PanTableEntry(100), 0);
    EXPECT_EQ(PanTableEntry(150), 1505);
    EXPECT_EQ(PanTableEntry(200), 10000);
    // Full volume under full master plays at the entry for 99; 0 is silent.
    EXPECT_EQ(AppliedVolume(100, 100), -12);
    EXPECT_EQ(AppliedVolume(0, 100), -10000);
    EXPECT_EQ(AppliedVolume(80, 50), VolumeTableEntry(40));
}

TEST(OggStream, DecodesAndSeeksAnEncodedFile) {
    constexpr size_t kFrames = 30000;
    OggStream stream;
    ASSERT_TRUE(stream.Open(SineOgg(2, kFrames)));
    EXPECT_EQ(stream.Channels(), 2);
    EXPECT_EQ(stream.SampleRate(), 44100);
    EXPECT_EQ(stream.TotalFrames(), static_cast<std::int64_t>(kFrames));

    char first[4096];
    const long firstBytes = stream.Read(first, sizeof(first));
    ASSERT_GT(firstBytes, 0);
    const std::vector<std::int16_t> rest = stream.DecodeAll();
    ASSERT_TRUE(stream.SeekToTime(0.0));
    const std::vector<std::int16_t> all = stream.DecodeAll();
    ASSERT_EQ(all.size(), kFrames * 2);
    EXPECT_EQ(std::memcmp(all.data(), first, static_cast<size_t>(firstBytes)), 0);
    EXPECT_LT(rest.size(), all.size());
    // The level survives encoding: a 0.25 sine peaks near 8192.
    const auto loudest = *std::max_element(all.begin(), all.end());
    EXPECT_NEAR(loudest, 8192, 600);

    EXPECT_FALSE(stream.Open("RIFF this is no ogg file at all"));
    EXPECT_FALSE(stream.IsOpen());
}

TEST(GeneratedSounds, EveryNamedSoundDecodesBelowFullScaleWithoutOffset) {
    struct Expected {
        const char* name;
        double shortest, longest;  // seconds
    };
    const Expected sounds[] = {
        {"click.ogg", 0.005, 0.06}, {"crowd_cheer.ogg", 1, 6}, {"crowd_clap.ogg", 1, 6},
        {"crowd_angry.ogg", 1, 6},  {"firework1.ogg", 1, 5},   {"firework2.ogg", 1, 5},
        {"ak47.ogg", 0.5, 3},       {"explosion.ogg", 1, 5},   {"prison.ogg", 1, 4},
        {"music.ogg", 120, 300},    {"music2.ogg", 120, 300}};
    std::vector<std::int16_t> firstTrack, secondTrack;
    for (const Expected& expected : sounds) {
        SCOPED_TRACE(expected.name);
        const auto image =
            platform::ReadFile(ResolveSoundFile(std::string("data/sounds/") + expected.name));
        ASSERT_TRUE(image.has_value());
        OggStream stream;
        ASSERT_TRUE(stream.Open(*image));
        const std::vector<std::int16_t> samples = stream.DecodeAll();
        const double seconds =
            static_cast<double>(samples.size()) / stream.Channels() / stream.SampleRate();
        EXPECT_GE(seconds, expected.shortest);
        EXPECT_LE(seconds, expected.longest);
        int loudest = 0;
        double sum = 0;
        for (std::int16_t s : samples) {
            loudest = std::max(loudest, std::abs(static_cast<int>(s)));
            sum += s;
        }
        EXPECT_LT(loudest, 32000);  // never clipping
        EXPECT_GT(loudest, 3000);   // and not silent
        EXPECT_LT(std::fabs(sum / static_cast<double>(samples.size())), 100.0);
        if (std::string(expected.name) == "music.ogg") firstTrack = samples;
        if (std::string(expected.name) == "music2.ogg") secondTrack = samples;
    }
    // The tracks flow into each other: the last frame of one lies close to
    // the first of the other, as close as neighbouring frames inside a track.
    ASSERT_FALSE(firstTrack.empty());
    ASSERT_FALSE(secondTrack.empty());
    EXPECT_LT(std::abs(firstTrack[firstTrack.size() - 2] - secondTrack[0]), 1200);
    EXPECT_LT(std::abs(secondTrack[secondTrack.size() - 2] - firstTrack[0]), 1200);
}

TEST(Sound, CopiesAreClampedAndPlayedRoundRobinAtTheTableVolume) {
    TempDirectory folder;
    folder.Write("data/sounds/beep.ogg", SineOgg(1, 4410));
    ManualSoundOutput output;
    Sound sound;
    EXPECT_EQ(sound.Volume(), 80);
    ASSERT_TRUE(sound.Load("data/sounds/beep.ogg", 100, 0, 12));
    EXPECT_EQ(sound.CopyCount(), 9);
    ASSERT_TRUE(sound.Load("data\\sounds\\beep.ogg", 100, 0, 0));
    EXPECT_EQ(sound.CopyCount(), 1);
    ASSERT_TRUE(sound.Load("data/sounds/beep.ogg", 100, 0, 2));
    EXPECT_EQ(sound.SampleBytes(), 4410u * 2);
    EXPECT_EQ(sound.Buffer(0)->Pan(), 0);

    sound.Play();
    EXPECT_EQ(sound.LastCopyPlayed(), 1);
    sound.Play();
    EXPECT_EQ(sound.LastCopyPlayed(), 0);
    EXPECT_TRUE(sound.Buffer(0)->IsPlaying());
    EXPECT_TRUE(sound.Buffer(1)->IsPlaying());
    EXPECT_EQ(sound.Buffer(0)->Volume(), -12);
    EXPECT_TRUE(sound.IsPlaying());
    // Two copies of a 0.25 sine sound together.
    EXPECT_GT(PlayFor(2048), 12000);
    PlayFor(4410);
    EXPECT_FALSE(sound.IsPlaying());

    sound.SetVolume(0);
    EXPECT_EQ(sound.Buffer(1)->Volume(), -10000);
    sound.SetVolume(250);
    EXPECT_EQ(sound.Volume(), 100);

    EXPECT_FALSE(sound.Load("data/sounds/missing.ogg", 100, 0, 1));
    EXPECT_FALSE(sound.IsPlaying());
}

TEST(Sound, WaveFilesAndNoDevice) {
    TempDirectory folder;
    ManualSoundOutput output;
    std::string wave =
        "RIFF\x2c\0\0\0WAVEfmt \x10\0\0\0\x01\0\x01\0\x44\xac\0\0\x88\x58\x01\0\x02\0\x10\0"
        "data\x08\0\0\0"s;
    wave += std::string("\x10\x00\x20\x00\x30\x00\x40\x00", 8);
    folder.Write("data/sounds/tick.wav", wave);
    folder.Write("data/sounds/tiny.wav", "data!");
    {
        Sound sound;
        ASSERT_TRUE(sound.Load("data/sounds/tick.wav", 100, 1, 1));
        EXPECT_EQ(sound.Format().channels, 1);
        EXPECT_EQ(sound.Format().sampleRate, 44100);
        EXPECT_EQ(sound.SampleBytes(), 8u);
        sound.Play();
        EXPECT_TRUE(sound.Buffer(0)->IsLooping());
        EXPECT_FALSE(sound.Load("data/sounds/tiny.wav", 100, 0, 1));
    }
    SoundDevice::SetOutput(SoundOutput::None);
    Sound silent;
    EXPECT_FALSE(silent.Load("data/sounds/tick.wav", 100, 0, 1));
    silent.Play();
    EXPECT_FALSE(silent.IsPlaying());
    EXPECT_EQ(silent.Buffer(0), nullptr);
}

TEST(MusicStream, RefillsPadWithSilenceAtTheEndOrLoop) {
    constexpr size_t kFrames = 3000;  // 12000 bytes in stereo: less than a half
    OggStream stream;
    ASSERT_TRUE(stream.Open(SineOgg(2, kFrames)));
    std::vector<char> half(kStreamHalfBytes, 'x');

    HalfRefill once = RefillHalf(stream, half.data(), half.size(), false);
    EXPECT_TRUE(once.reachedEnd);
    EXPECT_EQ(once.bytesDecoded, kFrames * 4);
    EXPECT_TRUE(std::all_of(half.begin() + kFrames * 4, half.end(), [](char c) { return c == 0; }));
    EXPECT_NE(std::memcmp(half.data(), std::string(16, '\0').data(), 16), 0);

    ASSERT_TRUE(stream.SeekToTime(0.0));
    std::vector<char> looped(kStreamHalfBytes);
    const HalfRefill again = RefillHalf(stream, looped.data(), looped.size(), true);
    EXPECT_FALSE(again.reachedEnd);
    EXPECT_EQ(again.bytesDecoded, kStreamHalfBytes);
    // After the end the stream starts over: the second pass repeats the first.
    EXPECT_EQ(
        std::memcmp(looped.data() + kFrames * 4, looped.data(), kStreamHalfBytes - kFrames * 4), 0);
}

TEST(Sound, MusicStreamsToItsEndAndStops) {
    TempDirectory folder;
    folder.Write("data/sounds/short.ogg",
                 SineOgg(2, 20000));  // 80000 bytes: two and a half buffers
    folder.Write("data/sounds/bad.ogg", "not an ogg file");
    ManualSoundOutput output;
    Sound music;
    EXPECT_FALSE(music.LoadMusic("data/sounds/bad.ogg"));
    ASSERT_TRUE(music.LoadMusic("data/sounds/short.ogg"));
    EXPECT_TRUE(music.IsMusic());
    music.SetVolume(100);
    music.PlayMusic(false);
    EXPECT_TRUE(music.IsPlaying());
    EXPECT_EQ(music.Buffer(0)->Size(), kStreamBufferBytes);
    EXPECT_GT(PlayFor(4096), 7000);
    // The stream keeps being refilled until its end has been heard.
    EXPECT_TRUE(WaitUntil([&] {
        PlayFor(1024);
        return !music.IsPlaying();
    }));
    EXPECT_EQ(music.Buffer(0)->Position(), 0u);

    // Looping music goes on past its end; Stop ends it.
    music.PlayMusic(true);
    PlayFor(60000);
    EXPECT_TRUE(music.IsPlaying());
    music.Stop();
    EXPECT_FALSE(music.IsPlaying());
}

TEST(MusicPlayer, TracksAlternateAndPauseInTheBackground) {
    TempDirectory folder;
    folder.Write("data/sounds/music.ogg", SineOgg(2, 9000, 330));
    folder.Write("data/sounds/music2.ogg", SineOgg(2, 9000, 440));
    ManualSoundOutput output;
    MusicPlayer player;
    player.Start(70);
    ASSERT_TRUE(player.IsStarted());
    EXPECT_EQ(player.Track(), 0);
    EXPECT_EQ(player.Stream()->Volume(), 70);
    player.Tick(70);
    EXPECT_EQ(player.Track(), 0);

    const auto playToEnd = [&] {
        return WaitUntil([&] {
            PlayFor(1024);
            return !player.Stream()->IsPlaying();
        });
    };
    ASSERT_TRUE(playToEnd());
    player.Tick(70);
    EXPECT_EQ(player.Track(), 1);
    EXPECT_TRUE(player.Stream()->IsPlaying());
    ASSERT_TRUE(playToEnd());
    player.Tick(70);
    EXPECT_EQ(player.Track(), 0);

    // In the background the stopped music is not a finished track.
    PlayFor(4096);
    player.Deactivate();
    EXPECT_FALSE(player.Stream()->IsPlaying());
    player.Tick(70);
    EXPECT_EQ(player.Track(), 0);
    player.Activate();
    EXPECT_TRUE(player.Stream()->IsPlaying());
    EXPECT_EQ(player.Stream()->Buffer(0)->Position(), 0u);
}

TEST(SoundEffects, ClickEventAndElectionSounds) {
    TempDirectory folder;
    folder.Write("data/sounds/click.ogg", SineOgg(1, 1000));
    folder.Write("data/sounds/siren.ogg", SineOgg(1, 1000));
    ManualSoundOutput output;
    SoundEffects& effects = SoundEffects::Instance();
    effects.PlayClick();
    ASSERT_NE(effects.Loaded(kClickSound), nullptr);
    EXPECT_EQ(effects.Loaded(kClickSound)->Buffer(0)->Volume(), VolumeTableEntry(50));
    EXPECT_TRUE(effects.Loaded(kClickSound)->IsPlaying());

    effects.EventSoundPlayer()("data/sounds/siren.ogg");
    EXPECT_EQ(effects.LastRequested(), "data/sounds/siren.ogg");
    EXPECT_TRUE(effects.Loaded("data/sounds/siren.ogg")->IsPlaying());
    // A missing file is remembered as silent rather than read again.
    effects.Play("data/sounds/none.ogg");
    EXPECT_FALSE(effects.Loaded("data/sounds/none.ogg")->IsPlaying());

    EXPECT_EQ(ElectionResultSound(0.7f), "data/sounds/crowd_cheer.ogg");
    EXPECT_EQ(ElectionResultSound(0.69f), "data/sounds/crowd_clap.ogg");
    EXPECT_EQ(ElectionResultSound(0.5f), "data/sounds/crowd_clap.ogg");
    EXPECT_EQ(ElectionResultSound(0.49f), "data/sounds/crowd_angry.ogg");
}

TEST(SoundDevice, SdlDummyDriverPlaysAnEffectToItsEnd) {
    TempDirectory folder;
    folder.Write("data/sounds/blip.ogg", SineOgg(1, 2205));
    setenv("SDL_AUDIODRIVER", "dummy", 1);
    SoundDevice::SetOutput(SoundOutput::Speakers);
    Sound sound;
    ASSERT_NE(SoundDevice::Instance().Mixer(), nullptr);
    EXPECT_EQ(SoundDevice::Instance().SampleRate(), 44100);
    ASSERT_TRUE(sound.Load("data/sounds/blip.ogg", 100, 0, 1));
    sound.Play();
    // SDL's own thread pulls the mix: the 50 ms sound ends without our help.
    EXPECT_TRUE(WaitUntil([&] { return !sound.IsPlaying(); }));
}
