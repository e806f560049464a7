// Alternating the two tracks.
#include "engine/MusicPlayer.h"

#include <chrono>
#include <thread>

#include "engine/Sound.h"

MusicPlayer::MusicPlayer() = default;
MusicPlayer::~MusicPlayer() = default;

void MusicPlayer::PlayTrack(int track, int volume) {
    track_ = track;
    if (!stream_->LoadMusic(track == 0 ? kFirstTrack : kSecondTrack)) {
        // Without a device or a readable track there is nothing to alternate.
        failed_ = true;
        return;
    }
    stream_->PlayMusic(false);
    stream_->SetVolume(volume);
}

void MusicPlayer::Start(int volume) {
    if (stream_) return;
    stream_ = std::make_unique<Sound>();
    PlayTrack(0, volume);
}

void MusicPlayer::Tick(int volume) {
    std::this_thread::sleep_for(std::chrono::milliseconds(1));
    // A stopped stream in the background is paused, not finished.
    if (!stream_ || failed_ || inBackground_ || stream_->IsPlaying()) return;
    PlayTrack(1 - track_, volume);
}

void MusicPlayer::Deactivate() {
    inBackground_ = true;
    if (stream_) stream_->Stop();
}

void MusicPlayer::Activate() {
    inBackground_ = false;
    if (stream_ && !failed_) stream_->PlayMusic(false);
}

void MusicPlayer::SetVolume(int volume) {
    if (stream_) stream_->SetVolume(volume);
}
