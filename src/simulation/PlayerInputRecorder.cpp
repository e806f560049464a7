// Appending player decisions to the script file.
#include "simulation/PlayerInputRecorder.h"

#include <cstdio>

#include "core/TextUtilities.h"
#include "platform/FileSystem.h"

PlayerInputRecorder& PlayerInputRecorder::Instance() {
    static PlayerInputRecorder recorder;
    return recorder;
}

void PlayerInputRecorder::StartNewScript() { platform::RemoveFile(path_); }

void PlayerInputRecorder::Record(std::string_view text) {
    if (!enabled_) return;
    std::FILE* file = std::fopen(platform::ResolvePathForWriting(path_).c_str(), "a");
    if (!file) return;  // a record that cannot be written is skipped
    std::fwrite(text.data(), 1, text.size(), file);
    std::fputc('\n', file);
    std::fclose(file);
}

void PlayerInputRecorder::RecordNewPolicy(std::string_view policy) { Record("NEWPOLICY," + std::string(policy)); }

void PlayerInputRecorder::RecordCancel(std::string_view policy) { Record("CANCELPOLICY," + std::string(policy)); }

void PlayerInputRecorder::RecordSlider(std::string_view policy, float value) {
    Record("ADJSLIDER," + std::string(policy) + "," + FormatText("%f", static_cast<double>(value)));
}

void PlayerInputRecorder::RecordNextTurn() { Record("NEXTTURN,_All_"); }
