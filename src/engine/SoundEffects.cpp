// Loading and playing the game's effects.
#include "engine/SoundEffects.h"

#include "engine/DebugLog.h"
#include "engine/Sound.h"

const char* const kClickSound = "data/sounds/click.ogg";

namespace {
constexpr int kClickLoadVolume = 100;
constexpr int kClickPlayVolume = 50;
}  // namespace

SoundEffects& SoundEffects::Instance() {
    static SoundEffects effects;
    return effects;
}

Sound* SoundEffects::Find(std::string_view path, int volume) {
    if (const auto it = sounds_.find(path); it != sounds_.end()) return it->second.get();
    auto sound = std::make_unique<Sound>();
    // A failed load is kept too, so a missing file costs one log line.
    sound->Load(path, volume, 0, kEffectCopies);
    return sounds_.emplace(std::string(path), std::move(sound)).first->second.get();
}

void SoundEffects::Play(std::string_view path, int volume) {
    lastRequested_ = std::string(path);
    Sound* sound = Find(path, volume);
    sound->SetVolume(volume);
    sound->Play();
}

void SoundEffects::LoadClick() {
    if (click_) return;
    click_ = std::make_unique<Sound>();
    click_->Load(kClickSound, kClickLoadVolume, 0, 1);
}

void SoundEffects::PlayClick() {
    LoadClick();
    lastRequested_ = kClickSound;
    click_->SetVolume(kClickPlayVolume);
    click_->Play();
}

std::function<void(const std::string&)> SoundEffects::EventSoundPlayer() {
    return [](const std::string& path) { SoundEffects::Instance().Play(path, 100); };
}

void SoundEffects::Clear() {
    sounds_.clear();
    click_.reset();
    lastRequested_.clear();
}

const Sound* SoundEffects::Loaded(std::string_view path) const {
    if (path == kClickSound) return click_.get();
    const auto it = sounds_.find(path);
    return it == sounds_.end() ? nullptr : it->second.get();
}

std::string ElectionResultSound(float share) {
    if (share >= 0.7f) return "data/sounds/crowd_cheer.ogg";
    if (share >= 0.5f) return "data/sounds/crowd_clap.ogg";
    return "data/sounds/crowd_angry.ogg";
}
