// Effect recipes: each is a few filtered noise bursts and decaying partials,
// mixed, faded at the ends and scaled below full scale.
#include "Effects.h"

#include <algorithm>
#include <cmath>
#include <iterator>

namespace synth {

namespace {

constexpr double kTwoPi = 6.28318530717958647692;
// Effects peak at -3 dBFS, leaving room for the encoder's ripple.
constexpr float kEffectPeak = 0.7f;

double Seconds(size_t frame) {
    return static_cast<double>(frame) / kSampleRate;
}

// A burst of filtered noise with an exponential tail, added at `start`.
void AddNoiseBurst(PcmSound& out, Noise& noise, double start, double decay, Biquad filter,
                   float gain) {
    const size_t first = static_cast<size_t>(start * kSampleRate);
    const size_t length = static_cast<size_t>(decay * 7 * kSampleRate);
    for (size_t i = 0; i < length && first + i < out.Frames(); ++i) {
        const float envelope = static_cast<float>(std::exp(-Seconds(i) / decay));
        out.samples[first + i] += gain * envelope * filter.Process(noise.Bipolar());
    }
}

// A decaying sine, optionally gliding: the body of thumps and clangs.
void AddPartial(PcmSound& out, double start, double frequency, double endFrequency, double decay,
                float gain) {
    const size_t first = static_cast<size_t>(start * kSampleRate);
    const size_t length = static_cast<size_t>(decay * 7 * kSampleRate);
    double phase = 0;
    for (size_t i = 0; i < length && first + i < out.Frames(); ++i) {
        const double t = static_cast<double>(i) / static_cast<double>(length);
        phase += (frequency + (endFrequency - frequency) * t) / kSampleRate;
        const float envelope = static_cast<float>(std::exp(-Seconds(i) / decay));
        const float attack = static_cast<float>(std::min(1.0, Seconds(i) / 0.002));
        out.samples[first + i] += gain * attack * envelope * FastSine(phase);
    }
}

// A voice-like tone through two formant filters: the murmur of many people.
void AddVoice(PcmSound& out, Noise& noise, double start, double length, double pitch, double glide,
              double formant, float gain) {
    Biquad first = Biquad::BandPass(formant, 3), second = Biquad::BandPass(formant * 2.6, 4);
    const size_t begin = static_cast<size_t>(start * kSampleRate);
    const size_t frames = static_cast<size_t>(length * kSampleRate);
    const double vibratoRate = 4.5 + noise.Unit() * 2;
    double phase = noise.Unit();
    for (size_t i = 0; i < frames && begin + i < out.Frames(); ++i) {
        const double t = Seconds(i);
        const double f = pitch * (1 + glide * t / length) * (1 + 0.012 * FastSine(vibratoRate * t));
        phase += f / kSampleRate;
        // A buzzy source: a sine pushed through a soft curve, plus breath.
        const float source = std::tanh(3.0f * FastSine(phase)) + 0.3f * noise.Bipolar();
        const float envelope = static_cast<float>(std::sin(std::min(1.0, t / length) * kTwoPi / 2));
        out.samples[begin + i] +=
            gain * envelope * (first.Process(source) + 0.5f * second.Process(source));
    }
}

PcmSound Finish(PcmSound sound, double fadeIn, double fadeOut) {
    Normalize(sound, kEffectPeak);
    FadeEnds(sound, fadeIn, fadeOut);
    return sound;
}

}  // namespace

PcmSound Click() {
    // A soft wooden tick: two short partials and a breath of noise, 40 ms.
    PcmSound sound(1, 0.04);
    Noise noise(11);
    AddPartial(sound, 0, 1800, 1500, 0.004, 1.0f);
    AddPartial(sound, 0, 3100, 3000, 0.002, 0.4f);
    AddNoiseBurst(sound, noise, 0, 0.002, Biquad::BandPass(2500, 1.5), 0.5f);
    Normalize(sound, 0.35f);
    FadeEnds(sound, 0.0005, 0.01);
    return sound;
}

PcmSound CrowdCheer() {
    PcmSound sound(1, 3.5);
    Noise noise(23);
    AddNoiseBurst(sound, noise, 0.05, 0.9, Biquad::BandPass(900, 0.7), 0.25f);
    for (int voice = 0; voice < 40; ++voice) {
        const double start = noise.Unit() * 1.4;
        const double pitch = 180 + noise.Unit() * 260;
        AddVoice(sound, noise, start, 0.8 + noise.Unit() * 1.6, pitch, 0.15 + noise.Unit() * 0.2,
                 650 + noise.Unit() * 500, 0.12f);
    }
    for (int clap = 0; clap < 120; ++clap) {
        AddNoiseBurst(sound, noise, 0.2 + noise.Unit() * 2.8, 0.012,
                      Biquad::BandPass(1500 + noise.Unit() * 800, 1.2), 0.25f);
    }
    return Finish(std::move(sound), 0.08, 0.8);
}

PcmSound CrowdClap() {
    PcmSound sound(1, 3.5);
    Noise noise(37);
    for (int person = 0; person < 30; ++person) {
        const double rate = 3.2 + noise.Unit() * 1.6;
        const double tone = 1100 + noise.Unit() * 1400;
        for (double t = noise.Unit() * 0.3; t < 3.2; t += (1 + 0.15 * noise.Bipolar()) / rate) {
            AddNoiseBurst(sound, noise, t, 0.008 + noise.Unit() * 0.006,
                          Biquad::BandPass(tone, 1.4), 0.5f + 0.3f * noise.Unit());
        }
    }
    return Finish(std::move(sound), 0.05, 0.7);
}

PcmSound CrowdAngry() {
    PcmSound sound(1, 3.5);
    Noise noise(41);
    AddNoiseBurst(sound, noise, 0.0, 1.2, Biquad::BandPass(420, 0.8), 0.3f);
    for (int voice = 0; voice < 36; ++voice) {
        // Low, falling "boo"s with dark formants.
        const double start = noise.Unit() * 2.0;
        AddVoice(sound, noise, start, 0.9 + noise.Unit() * 1.2, 95 + noise.Unit() * 90,
                 -0.12 - noise.Unit() * 0.1, 380 + noise.Unit() * 180, 0.16f);
    }
    return Finish(std::move(sound), 0.15, 0.8);
}

PcmSound Firework(int variant) {
    PcmSound sound(1, 3.0);
    Noise noise(53 + variant);
    double bang = 0.05;
    if (variant == 1) {
        // A rising whistle before the burst.
        AddPartial(sound, 0.0, 900, 2400, 0.5, 0.10f);
        bang = 0.9;
    }
    AddPartial(sound, bang, 70, 45, 0.25, 0.8f);
    AddNoiseBurst(sound, noise, bang, 0.18, Biquad::LowPass(1400, 0.7), 1.0f);
    // The crackle of falling sparks.
    for (int spark = 0; spark < 90; ++spark) {
        const double t = bang + 0.2 + noise.Unit() * noise.Unit() * 1.7;
        AddNoiseBurst(sound, noise, t, 0.003, Biquad::BandPass(3000 + noise.Unit() * 2500, 2),
                      0.15f + 0.2f * noise.Unit());
    }
    return Finish(std::move(sound), 0.002, 0.5);
}

PcmSound Ak47() {
    // A burst of ten shots at about ten a second, muffled so it never stings.
    PcmSound sound(1, 1.6);
    Noise noise(67);
    for (int shot = 0; shot < 10; ++shot) {
        const double t = 0.01 + shot * 0.1 + noise.Unit() * 0.004;
        AddNoiseBurst(sound, noise, t, 0.03, Biquad::LowPass(2200, 0.8), 1.0f);
        AddPartial(sound, t, 140, 70, 0.04, 0.7f);
    }
    return Finish(std::move(sound), 0.001, 0.3);
}

PcmSound Explosion() {
    PcmSound sound(1, 3.0);
    Noise noise(71);
    AddPartial(sound, 0.02, 55, 30, 0.45, 0.9f);
    AddNoiseBurst(sound, noise, 0.02, 0.55, Biquad::LowPass(500, 0.7), 1.2f);
    AddNoiseBurst(sound, noise, 0.02, 0.08, Biquad::LowPass(2500, 0.7), 0.5f);
    return Finish(std::move(sound), 0.002, 0.6);
}

PcmSound Prison() {
    // A heavy cell door: a thud, then the bars ring with inharmonic partials.
    PcmSound sound(1, 2.5);
    Noise noise(83);
    AddPartial(sound, 0.0, 90, 60, 0.12, 0.8f);
    AddNoiseBurst(sound, noise, 0.0, 0.03, Biquad::LowPass(1800, 0.7), 0.6f);
    const double partials[] = {196, 412, 683, 1021, 1490};
    for (size_t p = 0; p < std::size(partials); ++p) {
        AddPartial(sound, 0.005, partials[p], partials[p] * 0.998, 0.6 / (1 + p * 0.5),
                   0.3f / (1 + p * 0.6f));
    }
    // The lock turning.
    AddNoiseBurst(sound, noise, 1.3, 0.02, Biquad::BandPass(2600, 2), 0.35f);
    AddPartial(sound, 1.3, 1250, 1200, 0.05, 0.12f);
    return Finish(std::move(sound), 0.001, 0.4);
}

std::vector<NamedSound> SynthesizeEffects() {
    std::vector<NamedSound> effects;
    effects.push_back({"click.ogg", Click()});
    effects.push_back({"crowd_cheer.ogg", CrowdCheer()});
    effects.push_back({"crowd_clap.ogg", CrowdClap()});
    effects.push_back({"crowd_angry.ogg", CrowdAngry()});
    effects.push_back({"firework1.ogg", Firework(0)});
    effects.push_back({"firework2.ogg", Firework(1)});
    effects.push_back({"ak47.ogg", Ak47()});
    effects.push_back({"explosion.ogg", Explosion()});
    effects.push_back({"prison.ogg", Prison()});
    return effects;
}

}  // namespace synth
