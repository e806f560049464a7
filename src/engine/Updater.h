// The auto-updater: fetches the update server's list of data files, then
// every listed file that is not here yet. It runs only when the player asks,
// blocks the frame thread meanwhile and reports progress through a callback.
#pragma once

#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace platform {
class HttpConnection;
class HttpRequest;
}  // namespace platform

struct UpdateResource {
    std::string remote;  // object name on the server
    std::string local;   // a game path ("data/..."), written to the player's folder
};

class Updater {
public:
    using ProgressCallback = std::function<void(const std::string& localPath, float fraction)>;

    // What the updates screen asks for.
    static constexpr const char* kRemoteFileList = "voxmere/autoupdate/files.txt";
    static constexpr const char* kLocalFileList = "data/webfiles.txt";

    static Updater& Instance();

    void Init(ProgressCallback progress, std::string_view remoteList, std::string_view localList);
    // The server, as "host[:port]" or a URL. Until set, the "updateserver"
    // key of data/data.ini's setup section; empty means no server.
    void SetServer(std::string server);
    // Back to the setup value.
    void ClearServer() { serverSet_ = false; }
    // Whether a server is set, here or in the setup values.
    bool HasServer() const;
    // Fetches the list and the missing files. False when an error ended the
    // update; the error has been shown and logged.
    bool Run();
    void ClearDownloaded();

    const std::vector<std::string>& Downloaded() const { return downloaded_; }
    int DownloadedCount() const { return downloadedCount_; }
    // The errors of the last run, each one line, as shown in its boxes.
    const std::vector<std::string>& Errors() const;
    bool IsRunning() const { return running_; }

private:
    enum class Download { Skipped, Done, Failed };

    Updater();
    bool OpenLink();
    void CloseLink();
    bool BuildResourceList();
    bool DownloadAll();
    Download DownloadFile(const std::string& remote, const std::string& local, bool forced);
    bool ReadResponse(platform::HttpRequest& request, const std::string& local, std::string& body);

    ProgressCallback progress_;
    std::string remoteList_;
    std::string localList_;
    std::string server_;
    bool serverSet_ = false;
    std::unique_ptr<platform::HttpConnection> connection_;
    std::vector<UpdateResource> resources_;
    std::vector<std::string> downloaded_;
    int downloadedCount_ = 0;
    bool running_ = false;
};

// Reads the server's file list: one entry a line, "remote,local" (double
// quotes group a field), each field cut after its last visible character.
// Lines shorter than 2 characters are skipped, and so are entries whose
// local path could leave the data folder; those are listed in `refused`.
std::vector<UpdateResource> ParseFileList(std::string_view text,
                                          std::vector<std::string>* refused = nullptr);

// True for a relative path inside "data/": no "..", no absolute path, no
// drive letter and no backslash.
bool IsSafeLocalPath(std::string_view path);
