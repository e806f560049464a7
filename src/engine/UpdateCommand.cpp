// The command-line update: a progress bar per file, then the list of files
// fetched, and each error as one line on standard error.
#include "engine/UpdateCommand.h"

#include <unistd.h>

#include <cstdio>
#include <memory>
#include <string>

#include "core/SetupValues.h"
#include "engine/DebugLog.h"
#include "engine/Updater.h"
#include "platform/FileSystem.h"
#include "platform/Shell.h"

namespace {

constexpr int kBarWidth = 30;

std::string Bar(float fraction) {
    const int filled = static_cast<int>(fraction * kBarWidth + 0.5f);
    return "[" + std::string(static_cast<size_t>(filled), '#') +
           std::string(static_cast<size_t>(kBarWidth - filled), '.') + "]";
}

// On a terminal the bar of the file being fetched is redrawn in place; a
// script reading the output gets the finished bar of each file, one a line.
class ProgressBar {
public:
    explicit ProgressBar(std::FILE* out) : out_(out), terminal_(::isatty(::fileno(out)) != 0) {}

    void Show(const std::string& path, float fraction) {
        if (fraction > 1.0f) fraction = 1.0f;
        const int percent = static_cast<int>(fraction * 100.0f);
        const bool done = percent >= 100;
        // The last piece and the empty read after it both report a whole
        // file; a redraw waits for the next whole percent.
        if (path == shown_ && percent == percent_) return;
        shown_ = path;
        percent_ = percent;
        if (!terminal_ && !done) return;
        std::fprintf(out_, "%s%s %3d%%  %s%s", terminal_ ? "\r" : "", Bar(fraction).c_str(),
                     percent, path.c_str(), done ? "\n" : "");
        if (terminal_ && !done) std::fflush(out_);
    }

private:
    std::FILE* out_;
    bool terminal_;
    std::string shown_;
    int percent_ = -1;
};

}  // namespace

int RunUpdateCommand(std::string_view server) {
    platform::SetHeadless(true);
    OpenLog();
    SetupValues::Instance().Load();
    Updater& updater = Updater::Instance();
    if (!server.empty()) updater.SetServer(std::string(server));
    if (server.empty() && SetupValues::Instance().GetSetupString("updateserver").empty()) {
        const std::string text =
            "no update server: give --server URL or set updateserver in section [setup] of "
            "data/data.ini";
        std::fprintf(stderr, "polity: %s\n", text.c_str());
        Log("polity: " + text);
        CloseLog();
        return 1;
    }
    updater.ClearDownloaded();
    auto bar = std::make_shared<ProgressBar>(stdout);
    updater.Init([bar](const std::string& path, float fraction) { bar->Show(path, fraction); },
                 Updater::kRemoteFileList, Updater::kLocalFileList);
    const bool updated = updater.Run();
    for (const std::string& error : updater.Errors()) {
        std::fprintf(stderr, "polity: update: %s\n", error.c_str());
        Log("polity: update: " + error);
    }
    // Where the files went: the player's folder for an installed game.
    if (updater.Downloaded().empty()) {
        std::printf("no new files\n");
    } else {
        std::printf("%d new file(s):\n", updater.DownloadedCount());
        for (const std::string& path : updater.Downloaded()) {
            std::printf("  %s\n", platform::ResolvePath(path).c_str());
        }
    }
    CloseLog();
    return updated && updater.Errors().empty() ? 0 : 1;
}
