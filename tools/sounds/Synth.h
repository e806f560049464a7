// Building blocks of the sound generator: a seeded noise source, table
// oscillators, biquad filters and the PCM clip they all write into.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

namespace synth {

constexpr int kSampleRate = 44100;

// Interleaved float samples in -1..1.
struct PcmSound {
    int channels = 1;
    int rate = kSampleRate;
    std::vector<float> samples;

    PcmSound(int channelCount, double seconds);
    size_t Frames() const { return samples.size() / channels; }
    // Adds to a frame, wrapping around the end: music is rendered as a ring so
    // that notes ringing past the last bar sound at the start of the loop.
    void AddWrapped(size_t frame, int channel, float value);
};

// Our own generator, so the output never depends on the standard library's.
class Noise {
public:
    explicit Noise(std::uint32_t seed) : state_(seed ? seed : 1u) {}
    std::uint32_t NextBits();
    float Bipolar();  // -1..1
    float Unit();     // 0..1
private:
    std::uint32_t state_;
};

// Sine through a table: the music has tens of voices per sample and must be
// generated in seconds.
float FastSine(double phaseInTurns);

// RBJ biquad; the generator only needs these three shapes.
class Biquad {
public:
    static Biquad LowPass(double frequency, double q);
    static Biquad HighPass(double frequency, double q);
    static Biquad BandPass(double frequency, double q);
    float Process(float x);

private:
    float b0_ = 1, b1_ = 0, b2_ = 0, a1_ = 0, a2_ = 0;
    float x1_ = 0, x2_ = 0, y1_ = 0, y2_ = 0;
};

double NoteFrequency(int midiNote);

// Removes any constant offset and scales the loudest sample to `peak`, so no
// file clips after encoding.
void Normalize(PcmSound& sound, float peak);

// Short fades at both ends keep effects from starting or ending with a click.
void FadeEnds(PcmSound& sound, double fadeInSeconds, double fadeOutSeconds);

}  // namespace synth
