// polity_sounds OUTPUT: synthesizes every sound and both music tracks and
// writes them as Ogg Vorbis into OUTPUT/sounds. Run by the build.
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <future>
#include <string>

#include "Effects.h"
#include "Music.h"
#include "VorbisWriter.h"

namespace {

// Written beside the target and renamed, so an interrupted build never
// leaves half a file that looks finished.
bool WriteWhole(const std::filesystem::path& path, const std::string& contents) {
    const std::filesystem::path temporary = path.string() + ".part";
    {
        std::ofstream out(temporary, std::ios::binary | std::ios::trunc);
        if (!out.write(contents.data(), static_cast<std::streamsize>(contents.size())))
            return false;
    }
    std::error_code error;
    std::filesystem::rename(temporary, path, error);
    return !error;
}

constexpr float kEffectQuality = 0.4f;
// Calm music needs fewer bits, and encoding the music is most of the build step.
constexpr float kMusicQuality = 0.1f;

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "Usage: polity_sounds OUTPUT_DATA_FOLDER\n");
        return 2;
    }
    const std::filesystem::path folder = std::filesystem::path(argv[1]) / "sounds";
    std::filesystem::create_directories(folder);

    // The two tracks encode on their own threads while the effects are made.
    const synth::MusicTracks music = synth::SynthesizeMusic();
    auto first = std::async(std::launch::async, [&] {
        return synth::EncodeOggVorbis(music.first, kMusicQuality, 1001);
    });
    auto second = std::async(std::launch::async, [&] {
        return synth::EncodeOggVorbis(music.second, kMusicQuality, 1002);
    });

    int written = 0;
    std::uint32_t serial = 1;
    for (const synth::NamedSound& effect : synth::SynthesizeEffects()) {
        if (!WriteWhole(folder / effect.fileName,
                        synth::EncodeOggVorbis(effect.sound, kEffectQuality, serial++))) {
            std::fprintf(stderr, "polity_sounds: cannot write %s\n", effect.fileName.c_str());
            return 1;
        }
        ++written;
    }
    if (!WriteWhole(folder / "music.ogg", first.get()) ||
        !WriteWhole(folder / "music2.ogg", second.get())) {
        std::fprintf(stderr, "polity_sounds: cannot write the music\n");
        return 1;
    }
    std::printf("polity_sounds: %d effects and 2 music tracks in %s\n", written,
                folder.string().c_str());
    return 0;
}
