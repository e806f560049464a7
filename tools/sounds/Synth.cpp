// Oscillators, noise, filters and level helpers of the sound generator.
#include "Synth.h"

#include <algorithm>
#include <array>
#include <cmath>

namespace synth {

namespace {
constexpr double kPi = 3.14159265358979323846;
constexpr int kTableSize = 4096;

const std::array<float, kTableSize + 1>& SineTable() {
    static const auto table = [] {
        std::array<float, kTableSize + 1> values{};
        for (int i = 0; i <= kTableSize; ++i)
            values[i] = static_cast<float>(std::sin(2 * kPi * i / kTableSize));
        return values;
    }();
    return table;
}
}  // namespace

PcmSound::PcmSound(int channelCount, double seconds)
    : channels(channelCount),
      samples(static_cast<size_t>(seconds * kSampleRate) * static_cast<size_t>(channelCount),
              0.0f) {}

void PcmSound::AddWrapped(size_t frame, int channel, float value) {
    samples[(frame % Frames()) * channels + channel] += value;
}

std::uint32_t Noise::NextBits() {
    state_ ^= state_ << 13;
    state_ ^= state_ >> 17;
    state_ ^= state_ << 5;
    return state_;
}

float Noise::Unit() {
    return static_cast<float>(NextBits() >> 8) / 16777216.0f;
}
float Noise::Bipolar() {
    return Unit() * 2.0f - 1.0f;
}

float FastSine(double phaseInTurns) {
    const double wrapped = phaseInTurns - std::floor(phaseInTurns);
    const double position = wrapped * kTableSize;
    const int index = static_cast<int>(position);
    const float fraction = static_cast<float>(position - index);
    const auto& table = SineTable();
    return table[index] + (table[index + 1] - table[index]) * fraction;
}

namespace {
struct BiquadTerms {
    double cosine, alpha;
};
BiquadTerms Terms(double frequency, double q) {
    const double w = 2 * kPi * frequency / kSampleRate;
    return {std::cos(w), std::sin(w) / (2 * q)};
}
}  // namespace

Biquad Biquad::LowPass(double frequency, double q) {
    const auto [c, alpha] = Terms(frequency, q);
    const double a0 = 1 + alpha;
    Biquad f;
    f.b0_ = static_cast<float>((1 - c) / 2 / a0);
    f.b1_ = static_cast<float>((1 - c) / a0);
    f.b2_ = f.b0_;
    f.a1_ = static_cast<float>(-2 * c / a0);
    f.a2_ = static_cast<float>((1 - alpha) / a0);
    return f;
}

Biquad Biquad::HighPass(double frequency, double q) {
    const auto [c, alpha] = Terms(frequency, q);
    const double a0 = 1 + alpha;
    Biquad f;
    f.b0_ = static_cast<float>((1 + c) / 2 / a0);
    f.b1_ = static_cast<float>(-(1 + c) / a0);
    f.b2_ = f.b0_;
    f.a1_ = static_cast<float>(-2 * c / a0);
    f.a2_ = static_cast<float>((1 - alpha) / a0);
    return f;
}

Biquad Biquad::BandPass(double frequency, double q) {
    const auto [c, alpha] = Terms(frequency, q);
    const double a0 = 1 + alpha;
    Biquad f;
    f.b0_ = static_cast<float>(alpha / a0);
    f.b1_ = 0;
    f.b2_ = static_cast<float>(-alpha / a0);
    f.a1_ = static_cast<float>(-2 * c / a0);
    f.a2_ = static_cast<float>((1 - alpha) / a0);
    return f;
}

float Biquad::Process(float x) {
    const float y = b0_ * x + b1_ * x1_ + b2_ * x2_ - a1_ * y1_ - a2_ * y2_;
    x2_ = x1_;
    x1_ = x;
    y2_ = y1_;
    y1_ = y;
    return y;
}

double NoteFrequency(int midiNote) {
    return 440.0 * std::pow(2.0, (midiNote - 69) / 12.0);
}

void Normalize(PcmSound& sound, float peak) {
    for (int c = 0; c < sound.channels; ++c) {
        double sum = 0;
        for (size_t i = c; i < sound.samples.size(); i += sound.channels) sum += sound.samples[i];
        const float mean = static_cast<float>(sum / static_cast<double>(sound.Frames()));
        for (size_t i = c; i < sound.samples.size(); i += sound.channels) sound.samples[i] -= mean;
    }
    float loudest = 0;
    for (float s : sound.samples) loudest = std::max(loudest, std::fabs(s));
    if (loudest <= 0) return;
    const float scale = peak / loudest;
    for (float& s : sound.samples) s *= scale;
}

void FadeEnds(PcmSound& sound, double fadeInSeconds, double fadeOutSeconds) {
    const size_t frames = sound.Frames();
    const size_t in = std::min(frames, static_cast<size_t>(fadeInSeconds * kSampleRate));
    const size_t out = std::min(frames, static_cast<size_t>(fadeOutSeconds * kSampleRate));
    for (size_t f = 0; f < frames; ++f) {
        float gain = 1.0f;
        if (f < in) gain = static_cast<float>(f) / static_cast<float>(in);
        if (frames - f <= out)
            gain = std::min(gain, static_cast<float>(frames - f - 1) / static_cast<float>(out));
        for (int c = 0; c < sound.channels; ++c) sound.samples[f * sound.channels + c] *= gain;
    }
}

}  // namespace synth
