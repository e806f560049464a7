// The background music as the application runs it: "music.ogg" first, then
// whenever a track has ended the other one, so the two alternate for ever;
// stopped and rewound while the program is in the background.
#pragma once

#include <memory>
#include <string>

class Sound;

class MusicPlayer {
public:
    static constexpr const char* kFirstTrack = "data/sounds/music.ogg";
    static constexpr const char* kSecondTrack = "data/sounds/music2.ogg";

    MusicPlayer();
    ~MusicPlayer();

    // Starts the first track, once; `volume` is 100 x the "MUSIC" option.
    void Start(int volume);
    // Every frame: yields the processor for a millisecond, then starts the
    // other track if the current one has ended.
    void Tick(int volume);
    // Losing the focus stops the music and rewinds it.
    void Deactivate();
    // Getting it back plays the current track again from its start.
    void Activate();
    void SetVolume(int volume);

    // 0 while "music.ogg" plays, 1 while "music2.ogg" does.
    int Track() const { return track_; }
    bool IsStarted() const { return stream_ != nullptr; }
    // True when a track could not be loaded; the music then stays silent.
    bool HasFailed() const { return failed_; }
    const Sound* Stream() const { return stream_.get(); }

private:
    void PlayTrack(int track, int volume);

    std::unique_ptr<Sound> stream_;
    int track_ = 0;
    bool inBackground_ = false;
    bool failed_ = false;
};
