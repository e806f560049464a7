// Music recipes: a slow chord pad, a soft bass and a bell-like melody walking
// a pentatonic scale, in 4/4 at 72 beats a minute.
#include "Music.h"

#include <algorithm>
#include <array>
#include <cmath>

namespace synth {

namespace {

// 72 beats a minute makes a beat a whole number of samples.
constexpr size_t kBeat = kSampleRate * 60 / 72;
constexpr size_t kBar = kBeat * 4;
constexpr float kMusicPeak = 0.5f;

using Chord = std::array<int, 4>;  // MIDI notes, lowest first

// Eight-bar progressions: the first track in C, the second around D minor.
// Both end on a chord that leads into the other's first.
constexpr std::array<Chord, 8> kFirstProgression{{{48, 55, 64, 71},
                                                  {45, 52, 60, 67},
                                                  {41, 48, 57, 64},
                                                  {43, 50, 59, 65},
                                                  {48, 55, 64, 67},
                                                  {40, 47, 55, 62},
                                                  {41, 48, 57, 64},
                                                  {43, 50, 55, 62}}};
constexpr std::array<Chord, 8> kSecondProgression{{{50, 57, 65, 72},
                                                   {46, 53, 62, 69},
                                                   {41, 48, 57, 64},
                                                   {48, 55, 64, 67},
                                                   {50, 57, 62, 65},
                                                   {43, 50, 58, 65},
                                                   {46, 53, 62, 65},
                                                   {48, 55, 64, 67}}};
constexpr std::array<int, 5> kPentatonicSteps{0, 2, 4, 7, 9};

struct Stereo {
    float left, right;
};

Stereo Pan(float value, float pan) {
    return {value * (1 - pan) * 0.5f, value * (1 + pan) * 0.5f};
}

// A pad note: two slightly detuned sines and an octave, slow in and out, so
// chords overlap and blur into each other.
void AddPadNote(PcmSound& ring, size_t start, size_t length, int note, float gain, float pan) {
    const double frequency = NoteFrequency(note);
    const size_t attack = kSampleRate * 3 / 2, release = kSampleRate * 2;
    const size_t total = length + release;
    for (size_t i = 0; i < total; ++i) {
        const double t = static_cast<double>(i) / kSampleRate;
        float envelope = std::min(1.0f, static_cast<float>(i) / attack);
        if (i > length) envelope *= 1.0f - static_cast<float>(i - length) / release;
        envelope = envelope * envelope * (3 - 2 * envelope);
        const float a = FastSine(frequency * 0.9985 * t), b = FastSine(frequency * 1.0015 * t);
        const float octave = 0.18f * FastSine(frequency * 2.001 * t);
        const float breathing = 1.0f + 0.15f * FastSine(0.11 * t + note * 0.07);
        const float value = gain * envelope * breathing;
        ring.AddWrapped(start + i, 0, value * (a * (0.6f - 0.2f * pan) + octave));
        ring.AddWrapped(start + i, 1, value * (b * (0.6f + 0.2f * pan) + octave));
    }
}

void AddBassNote(PcmSound& ring, size_t start, size_t length, int note, float gain) {
    const double frequency = NoteFrequency(note);
    for (size_t i = 0; i < length + kSampleRate / 2; ++i) {
        const double t = static_cast<double>(i) / kSampleRate;
        const float attack = std::min(1.0f, static_cast<float>(t / 0.03));
        float envelope = attack * static_cast<float>(std::exp(-t / 1.6));
        if (i > length) envelope *= 1.0f - static_cast<float>(i - length) / (kSampleRate / 2);
        const float value =
            gain * envelope * (FastSine(frequency * t) + 0.25f * FastSine(2 * frequency * t));
        ring.AddWrapped(start + i, 0, value);
        ring.AddWrapped(start + i, 1, value);
    }
}

// A soft bell: frequency modulation whose brightness fades faster than the note.
void AddBellNote(PcmSound& ring, size_t start, int note, float gain, float pan) {
    const double frequency = NoteFrequency(note);
    const size_t length = kSampleRate * 3;
    for (size_t i = 0; i < length; ++i) {
        const double t = static_cast<double>(i) / kSampleRate;
        const float attack = std::min(1.0f, static_cast<float>(t / 0.008));
        const float envelope = attack * static_cast<float>(std::exp(-t / 0.9)) *
                               (1.0f - static_cast<float>(i) / length);
        const float index = 1.2f * static_cast<float>(std::exp(-t / 0.25));
        const float modulator = FastSine(frequency * 2 * t);
        const float value =
            gain * envelope * FastSine(frequency * t + index * modulator / 6.283185f);
        const Stereo s = Pan(value, pan);
        ring.AddWrapped(start + i, 0, s.left);
        ring.AddWrapped(start + i, 1, s.right);
    }
}

// How busy the melody is in each eight-bar section: it enters after the
// first section, grows, and thins out again before the other track begins.
float MelodyDensity(int section, int sections) {
    if (section == 0) return 0.0f;
    if (section == sections - 1) return 0.15f;
    return 0.25f + 0.1f * static_cast<float>(section % 3);
}

void RenderTrack(PcmSound& ring, size_t offset, int bars, const std::array<Chord, 8>& progression,
                 int tonic, std::uint32_t seed) {
    Noise noise(seed);
    int degree = 2;  // position in the pentatonic scale, two octaves wide
    const int sections = (bars + 7) / 8;
    for (int bar = 0; bar < bars; ++bar) {
        const Chord& chord = progression[bar % 8];
        const size_t start = offset + static_cast<size_t>(bar) * kBar;
        for (size_t n = 0; n < chord.size(); ++n) {
            AddPadNote(ring, start, kBar, chord[n], 0.055f, static_cast<float>(n) / 2.0f - 0.75f);
        }
        AddBassNote(ring, start, kBeat * 2, chord[0] - 12, 0.16f);
        AddBassNote(ring, start + kBeat * 2, kBeat * 2, chord[0] - 12 + (bar % 2 ? 7 : 0), 0.12f);
        const float density = MelodyDensity(bar / 8, sections);
        for (int eighth = 0; eighth < 8; ++eighth) {
            if (noise.Unit() >= density * (eighth % 2 ? 0.6f : 1.0f)) continue;
            degree = std::clamp(degree + static_cast<int>(noise.NextBits() % 5) - 2, 0, 9);
            const int note = tonic + 12 * (degree / 5) + kPentatonicSteps[degree % 5];
            AddBellNote(ring, start + static_cast<size_t>(eighth) * kBeat / 2, note, 0.11f,
                        noise.Bipolar() * 0.6f);
        }
    }
}

PcmSound Slice(const PcmSound& ring, size_t firstFrame, size_t frames) {
    PcmSound part(ring.channels, 0);
    part.samples.assign(
        ring.samples.begin() + static_cast<std::ptrdiff_t>(firstFrame * ring.channels),
        ring.samples.begin() + static_cast<std::ptrdiff_t>((firstFrame + frames) * ring.channels));
    return part;
}

}  // namespace

MusicTracks SynthesizeMusic(int bars) {
    const size_t trackFrames = static_cast<size_t>(bars) * kBar;
    PcmSound ring(2, 0);
    ring.samples.assign(trackFrames * 2 * 2, 0.0f);
    RenderTrack(ring, 0, bars, kFirstProgression, 60, 101);
    // F major pentatonic (F G A C D) sits over every chord of the D minor side.
    RenderTrack(ring, trackFrames, bars, kSecondProgression, 65, 202);
    // One scale for both halves keeps the level even across the change.
    Normalize(ring, kMusicPeak);
    return {Slice(ring, 0, trackFrames), Slice(ring, trackFrames, trackFrames)};
}

}  // namespace synth
