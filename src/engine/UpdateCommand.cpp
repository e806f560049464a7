// The command-line update.
#include "engine/UpdateCommand.h"

#include <cstdio>
#include <memory>
#include <string>

#include "core/SetupValues.h"
#include "engine/DebugLog.h"
#include "engine/Updater.h"
#include "platform/Shell.h"

int RunUpdateCommand(std::string_view server) {
    platform::SetHeadless(true);
    OpenLog();
    SetupValues::Instance().Load();
    Updater& updater = Updater::Instance();
    if (!server.empty()) updater.SetServer(std::string(server));
    if (server.empty() && SetupValues::Instance().GetSetupString("updateserver").empty()) {
        std::fprintf(
            stderr,
            "polity: no update server: give --server URL or set updateserver in section [setup] of "
            "data/data.ini\n");
        CloseLog();
        return 1;
    }
    updater.ClearDownloaded();
    // The last piece and the empty read after it both report a whole file.
    auto finished = std::make_shared<std::string>();
    updater.Init(
        [finished](const std::string& path, float fraction) {
            if (fraction < 1.0f || path == *finished) return;
            *finished = path;
            std::printf("fetched %s\n", path.c_str());
        },
        Updater::kRemoteFileList, Updater::kLocalFileList);
    const bool updated = updater.Run();
    std::printf("%d new file(s)\n", updater.DownloadedCount());
    if (!updated)
        std::fprintf(stderr, "polity: the update stopped with an error; see debugdata/debug.txt\n");
    CloseLog();
    return updated ? 0 : 1;
}
