// The updater's steps and its log: "IWARNING:  " lines for progress,
// "IERROR:  " lines (with a message box) for what ends the update.
#include "engine/Updater.h"

#include <cstdlib>
#include <algorithm>

#include "core/FieldReader.h"
#include "core/SetupValues.h"
#include "engine/DebugLog.h"
#include "platform/FileSystem.h"
#include "platform/HttpClient.h"
#include "platform/Shell.h"

namespace {

constexpr const char* kAgent = "QuillonGames - AutoUpdater";
// Sent only when the server asks for them.
constexpr const char* kUser = "poll";
constexpr const char* kPassword = "vote";
constexpr size_t kPieceBytes = 2048;
constexpr size_t kLongestListLine = 511;
// Data files are small; anything larger is not one of ours.
constexpr size_t kLargestDownload = 256u << 20;

void Progress(const std::string& text) {
    Log("IWARNING:  " + text);
}

// The errors of the current run, for a caller without a message box.
std::vector<std::string>& RunErrors() {
    static std::vector<std::string> errors;
    return errors;
}

// `detail` is what the HTTP client said, logged as progress before the error.
void Error(const std::string& text, const std::string& detail = {}) {
    if (!detail.empty()) Progress("Internet: " + detail);
    RunErrors().push_back(detail.empty() ? text : text + " (" + detail + ")");
    platform::ShowMessageBox("ERROR", text);
    Log("IERROR:  " + text);
}

std::string TrimEnd(std::string field) {
    const size_t last = field.find_last_not_of(" \r\n");
    field.erase(last == std::string::npos ? 0 : last + 1);
    return field;
}

std::string ParentFolder(const std::string& path) {
    const size_t slash = path.find_last_of('/');
    return slash == std::string::npos ? std::string() : path.substr(0, slash);
}

}  // namespace

bool IsSafeLocalPath(std::string_view path) {
    if (path.size() <= 5 || !platform::EqualsIgnoringCase(path.substr(0, 5), "data/")) return false;
    for (const char c : path) {
        if (c == '\\' || c == ':' || static_cast<unsigned char>(c) < 0x20) return false;
    }
    size_t start = 0;
    while (start <= path.size()) {
        const size_t end = std::min(path.find('/', start), path.size());
        const std::string_view part = path.substr(start, end - start);
        if (part == ".." || part == ".") return false;
        start = end + 1;
    }
    return path.back() != '/';
}

std::vector<UpdateResource> ParseFileList(std::string_view text,
                                          std::vector<std::string>* refused) {
    std::vector<UpdateResource> entries;
    size_t start = 0;
    while (start < text.size()) {
        size_t end = text.find('\n', start);
        end = end == std::string_view::npos ? text.size() : end + 1;
        std::string_view line = text.substr(start, end - start);
        start = end;
        while (!line.empty() && (line.back() == '\n' || line.back() == '\r')) line.remove_suffix(1);
        if (line.size() < 2) continue;
        // The game read lines into 512 bytes; a longer one is no entry of ours.
        if (line.size() > kLongestListLine) {
            if (refused) refused->push_back(std::string(line.substr(0, 40)) + "...");
            continue;
        }
        FieldReader fields(line);
        UpdateResource entry;
        entry.remote = TrimEnd(fields.NextField());
        entry.local = TrimEnd(fields.NextField());
        if (entry.local.empty() && entry.remote.empty()) continue;
        if (!IsSafeLocalPath(entry.local)) {
            if (refused) refused->push_back(entry.local);
            continue;
        }
        entries.push_back(std::move(entry));
    }
    return entries;
}

Updater::Updater() = default;

Updater& Updater::Instance() {
    static Updater updater;
    return updater;
}

void Updater::Init(ProgressCallback progress, std::string_view remoteList,
                   std::string_view localList) {
    progress_ = std::move(progress);
    remoteList_ = std::string(remoteList);
    localList_ = std::string(localList);
    running_ = true;
    RunErrors().clear();
    Progress("Internet::Init with " + remoteList_ + " and " + localList_);
}

void Updater::SetServer(std::string server) {
    server_ = std::move(server);
    serverSet_ = true;
}

bool Updater::HasServer() const {
    return !(serverSet_ ? server_ : SetupValues::Instance().GetSetupString("updateserver")).empty();
}

const std::vector<std::string>& Updater::Errors() const { return RunErrors(); }

void Updater::ClearDownloaded() {
    downloaded_.clear();
    downloadedCount_ = 0;
}

bool Updater::Run() {
    if (!OpenLink()) return false;
    const bool updated = BuildResourceList() && DownloadAll();
    resources_.clear();
    CloseLink();
    return updated;
}

bool Updater::OpenLink() {
    if (!platform::StartHttp()) {
        Error("Internet: InternetOpen() Failed");
        return false;
    }
    const std::string server =
        serverSet_ ? server_ : SetupValues::Instance().GetSetupString("updateserver");
    connection_ = std::make_unique<platform::HttpConnection>(kAgent, server, kUser, kPassword);
    // A packager or a test may shorten (or lengthen) the wait for one file.
    const std::string deadline = SetupValues::Instance().GetSetupString("updatedeadline");
    if (!deadline.empty()) connection_->SetDeadlineSeconds(std::atol(deadline.c_str()));
    if (!connection_->IsValid()) {
        Progress(
            "Internet: no update server is set (key \"updateserver\" in section \"setup\" of "
            "data/data.ini)");
        Error("Internet: InternetConnect() Failed");
        connection_.reset();
        return false;
    }
    Progress("Internet: OpenLink OK");
    return true;
}

void Updater::CloseLink() {
    connection_.reset();
    Progress("Internet: CloseLink OK");
}

bool Updater::BuildResourceList() {
    if (DownloadFile(remoteList_, localList_, true) == Download::Failed) return false;
    const auto list = platform::ReadFile(localList_);
    if (!list) {
        Error("Intenet: Local file resource list not found");
        return false;
    }
    std::vector<std::string> refused;
    resources_ = ParseFileList(*list, &refused);
    // A path that could leave the data folder is dropped; the rest still comes.
    for (const std::string& path : refused) Error("Internet: refused local path " + path);
    Progress("Finished building resource list");
    return true;
}

bool Updater::DownloadAll() {
    for (const UpdateResource& entry : resources_) {
        const Download result = DownloadFile(entry.remote, entry.local, false);
        if (result == Download::Failed) return false;
        if (result == Download::Done) ++downloadedCount_;
    }
    return true;
}

Updater::Download Updater::DownloadFile(const std::string& remote, const std::string& local,
                                        bool forced) {
    Progress("Internet:Download file with " + remote + " and " + local);
    if (!IsSafeLocalPath(local)) {
        Error("Internet: refused local path " + local);
        return Download::Failed;
    }
    if (!forced && platform::FileExists(local)) {
        Progress("local copy found: " + local);
        return Download::Skipped;
    }
    const auto request = connection_->OpenRequest(remote);
    if (!request) {
        Error("Internet: HttpOpenRequest() Failed");
        return Download::Failed;
    }
    Progress("Internet: HttpOpenRequest() ok");
    if (!request->Send()) {
        Error("Internet: HttpSendRequest() Failed", request->ErrorText());
        return Download::Failed;
    }
    Progress("Internet: HttpSendRequest() ok");
    // An error page is not the file: nothing is written for it.
    if (request->Status() < 200 || request->Status() >= 300) {
        Error("Internet: the server answered " + std::to_string(request->Status()) + " for " +
              remote);
        return Download::Failed;
    }
    // A response delimited only by the connection closing cannot be told
    // from one cut short, so it ends the update (the game used to end itself).
    if (!request->ContentLength() && !request->IsChunked()) {
        Error("Internet: HttpQueryInfo() Failed");
        return Download::Failed;
    }
    Progress("Internet: HttpQueryInfo() ok");
    std::string body;
    if (!ReadResponse(*request, local, body)) return Download::Failed;
    // Written whole or not at all, so a cut download never poses as a file.
    std::string why;
    platform::CreateDirectories(ParentFolder(local));
    if (!platform::WriteFileAtomically(local, body, &why)) {
        Error("Internet: cannot write " + local + ": " + why);
        return Download::Failed;
    }
    if (!forced) downloaded_.push_back(local);
    Progress("Internet: InternetCloseHandle() ok");
    return Download::Done;
}

bool Updater::ReadResponse(platform::HttpRequest& request, const std::string& local,
                           std::string& body) {
    const auto length = request.ContentLength();
    char piece[kPieceBytes];
    for (;;) {
        const long read = request.Read(piece, sizeof(piece));
        if (read < 0) {
            Error("Internet: InternetReadFile() Failed", request.ErrorText());
            return false;
        }
        Progress("internet read file ok, bytesread was " + std::to_string(read));
        body.append(piece, static_cast<size_t>(read));
        if (body.size() > kLargestDownload) {
            Error("Internet: InternetReadFile() Failed");
            return false;
        }
        if (progress_) {
            // An empty file is complete at once; without a length the
            // fraction stays 0 until the end.
            float fraction = 0.0f;
            if (length && *length > 0)
                fraction = static_cast<float>(body.size()) / static_cast<float>(*length);
            else if ((length && *length == 0) || read == 0)
                fraction = 1.0f;
            progress_(local, fraction);
        }
        if (read == 0) return true;
    }
}
