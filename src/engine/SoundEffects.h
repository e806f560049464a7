// The game's effects by file name, loaded on first use and kept: the click
// of every button, the election crowds, fireworks, attacks and the sounds
// named by events. Game code reaches them through plain callbacks, so the
// world never includes the engine.
#pragma once

#include <functional>
#include <map>
#include <memory>
#include <string>
#include <string_view>

class Sound;

class SoundEffects {
public:
    static SoundEffects& Instance();

    // Plays a game path ("data/sounds/crowd_cheer.ogg") at a volume. A
    // missing file is logged once and stays silent.
    void Play(std::string_view path, int volume = 100);

    // The GUI's click: loaded once at volume 100, played at 50.
    void LoadClick();
    void PlayClick();

    // For Event::SetSoundPlayer: the event's "data/sounds/<name>" at full volume.
    std::function<void(const std::string&)> EventSoundPlayer();

    // Releases every loaded effect (at shutdown, and between tests).
    void Clear();

    // The effect most recently asked for, played or not.
    const std::string& LastRequested() const { return lastRequested_; }
    const Sound* Loaded(std::string_view path) const;

private:
    SoundEffects() = default;
    Sound* Find(std::string_view path, int volume);

    std::map<std::string, std::unique_ptr<Sound>, std::less<>> sounds_;
    std::unique_ptr<Sound> click_;
    std::string lastRequested_;
};

// Copies each effect can overlap itself with.
constexpr int kEffectCopies = 2;

// The crowd at the election result: cheering from 70 % of the vote, applause
// from 50 %, anger below.
std::string ElectionResultSound(float share);

// The GUI's button click.
extern const char* const kClickSound;
