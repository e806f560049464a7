// The updater against a server of the test's own on 127.0.0.1: the list and
// its parsing, downloads with progress, and every way a server can fail.
#include <gtest/gtest.h>

#include <filesystem>

#include "core/SetupValues.h"
#include "engine/DebugLog.h"
#include "engine/Updater.h"
#include "platform/FileSystem.h"
#include "support/LocalHttpServer.h"
#include "support/TempDirectory.h"

namespace {

constexpr const char* kList = "/voxmere/autoupdate/files.txt";

struct ProgressCall {
    std::string path;
    float fraction;
};

// A fresh updater run in a fresh folder with its log open.
class UpdaterRun {
public:
    explicit UpdaterRun(const std::string& server) {
        OpenLog();
        Updater& updater = Updater::Instance();
        updater.ClearDownloaded();
        updater.SetServer(server);
        updater.Init(
            [this](const std::string& path, float fraction) {
                calls.push_back({path, fraction});
            },
            Updater::kRemoteFileList, Updater::kLocalFileList);
    }
    bool Run() { return Updater::Instance().Run(); }
    bool Logged(const std::string& line) const {
        return ReadDebugLog().find(line + "\n") != std::string::npos;
    }
    std::vector<ProgressCall> calls;
};

bool LeftNoTemporaryFiles(const std::string& folder) {
    for (const auto& entry : std::filesystem::recursive_directory_iterator(folder)) {
        if (entry.path().filename().string().find(".tmp") != std::string::npos) return false;
    }
    return true;
}

}  // namespace

TEST(UpdaterFileList, ParsesFieldsAndRefusesPathsOutsideData) {
    std::vector<std::string> refused;
    const auto entries = ParseFileList(
        "files/a.txt,data/a.txt   \r\n"
        "\n"
        "x\n"
        "\"files/with,comma.txt\",\"data/mods/b, c.txt\"\n"
        "files/e,../evil.txt\n"
        "files/f,/etc/passwd\n"
        "files/g,data/../../g.txt\n"
        "files/h,C:data/h.txt\n"
        "files/i,data\\mods\\i.txt\n"
        "files/j,other/j.txt\n"
        "files/k\n"
        "files/l,DATA/l.txt",
        &refused);
    ASSERT_EQ(entries.size(), 3u);
    EXPECT_EQ(entries[0].remote, "files/a.txt");
    EXPECT_EQ(entries[0].local, "data/a.txt");
    EXPECT_EQ(entries[1].remote, "files/with,comma.txt");
    EXPECT_EQ(entries[1].local, "data/mods/b, c.txt");
    EXPECT_EQ(entries[2].local, "DATA/l.txt");
    EXPECT_EQ(refused,
              (std::vector<std::string>{"../evil.txt", "/etc/passwd", "data/../../g.txt",
                                        "C:data/h.txt", "data\\mods\\i.txt", "other/j.txt", ""}));
    EXPECT_FALSE(IsSafeLocalPath("data/"));
    EXPECT_FALSE(IsSafeLocalPath("data/./x"));
    EXPECT_TRUE(IsSafeLocalPath("data/mods/policies/new.txt"));
}

TEST(Updater, DownloadsMissingFilesWithProgressAndKeepsExistingOnes) {
    TempDirectory folder;
    folder.Write("data/old.txt", "mine");
    LocalHttpServer server;
    server.Serve(kList,
                 "files/new.txt,data/mods/new.txt\r\nfiles/old.txt,data/old.txt\r\n"
                 "files/empty.txt,data/empty.txt\r\nfiles/chunked.txt,data/chunked.txt\r\n");
    const std::string big(5000, 'n');
    server.Serve("/files/new.txt", big);
    server.Serve("/files/old.txt", "theirs");
    server.Serve("/files/empty.txt", "");
    server.Serve("/files/chunked.txt", std::string(2500, 'c'), 200,
                 LocalHttpServer::Framing::Chunked);

    UpdaterRun run(server.Address());
    ASSERT_TRUE(run.Run());
    EXPECT_EQ(folder.Read("data/mods/new.txt"), big);
    EXPECT_EQ(folder.Read("data/old.txt"), "mine");
    EXPECT_TRUE(platform::FileExists("data/empty.txt"));
    EXPECT_EQ(folder.Read("data/empty.txt"), "");
    EXPECT_EQ(folder.Read("data/chunked.txt"), std::string(2500, 'c'));
    EXPECT_EQ(folder.Read("data/webfiles.txt").substr(0, 9), "files/new");
    EXPECT_EQ(Updater::Instance().DownloadedCount(), 3);
    EXPECT_EQ(
        Updater::Instance().Downloaded(),
        (std::vector<std::string>{"data/mods/new.txt", "data/empty.txt", "data/chunked.txt"}));

    std::vector<float> newFile;
    for (const auto& call : run.calls) {
        if (call.path == "data/mods/new.txt") newFile.push_back(call.fraction);
    }
    // 5000 bytes in pieces of at most 2048, then the empty read that ends it.
    ASSERT_GE(newFile.size(), 4u);
    EXPECT_TRUE(std::is_sorted(newFile.begin(), newFile.end()));
    EXPECT_FLOAT_EQ(newFile.back(), 1.0f);
    EXPECT_FLOAT_EQ(run.calls.back().fraction, 1.0f);

    for (const char* line :
         {"IWARNING:  Internet::Init with voxmere/autoupdate/files.txt and data/webfiles.txt",
          "IWARNING:  Internet: OpenLink OK",
          "IWARNING:  Internet:Download file with files/new.txt and data/mods/new.txt",
          "IWARNING:  Internet: HttpOpenRequest() ok", "IWARNING:  Internet: HttpSendRequest() ok",
          "IWARNING:  Internet: HttpQueryInfo() ok",
          "IWARNING:  internet read file ok, bytesread was 2048",
          "IWARNING:  internet read file ok, bytesread was 0",
          "IWARNING:  Internet: InternetCloseHandle() ok",
          "IWARNING:  Finished building resource list", "IWARNING:  local copy found: data/old.txt",
          "IWARNING:  Internet: CloseLink OK"}) {
        EXPECT_TRUE(run.Logged(line)) << line;
    }

    // A second run finds everything here and fetches only the list again.
    Updater::Instance().ClearDownloaded();
    const size_t before = server.Requests().size();
    ASSERT_TRUE(run.Run());
    EXPECT_EQ(Updater::Instance().DownloadedCount(), 0);
    EXPECT_EQ(server.Requests().size(), before + 1);
    EXPECT_EQ(server.Requests().back(), kList);
}

TEST(Updater, ServerFaultsEndTheUpdateAndWriteNothing) {
    struct Fault {
        const char* name;
        int status;
        LocalHttpServer::Framing framing;
        const char* error;
    };
    const Fault faults[] = {
        {"missing", 404, LocalHttpServer::Framing::Length,
         "IERROR:  Internet: the server answered 404 for files/x.txt"},
        {"broken", 500, LocalHttpServer::Framing::Length,
         "IERROR:  Internet: the server answered 500 for files/x.txt"},
        {"cut", 200, LocalHttpServer::Framing::CutMidway,
         "IERROR:  Internet: InternetReadFile() Failed"},
        {"unbounded", 200, LocalHttpServer::Framing::CloseOnly,
         "IERROR:  Internet: HttpQueryInfo() Failed"},
    };
    for (const Fault& fault : faults) {
        SCOPED_TRACE(fault.name);
        TempDirectory folder;
        LocalHttpServer server;
        server.Serve(kList, "files/x.txt,data/x.txt\nfiles/y.txt,data/y.txt\n");
        server.Serve("/files/x.txt", std::string(6000, 'x'), fault.status, fault.framing);
        server.Serve("/files/y.txt", "y");
        UpdaterRun run(server.Address());
        EXPECT_FALSE(run.Run());
        EXPECT_TRUE(run.Logged(fault.error)) << ReadDebugLog();
        EXPECT_FALSE(platform::FileExists("data/x.txt"));
        EXPECT_FALSE(platform::FileExists("data/y.txt"));
        EXPECT_TRUE(LeftNoTemporaryFiles(folder.Path()));
        EXPECT_EQ(Updater::Instance().DownloadedCount(), 0);
        EXPECT_TRUE(run.Logged("IWARNING:  Internet: CloseLink OK"));
    }
}

TEST(Updater, AServerThatSendsAByteNowAndThenMeetsTheDeadline) {
    TempDirectory folder;
    folder.Write("data/data.ini", "[setup]\nupdatedeadline=1\n");
    SetupValues::Instance().Load();
    LocalHttpServer server;
    server.Serve(kList, "files/x.txt,data/x.txt\n");
    // Fast enough never to stall, far too slow to finish within a second.
    server.Serve("/files/x.txt", std::string(100, 'x'), 200, LocalHttpServer::Framing::Trickle);
    UpdaterRun run(server.Address());
    EXPECT_FALSE(run.Run());
    EXPECT_NE(ReadDebugLog().find("Internet: Operation timed out after"), std::string::npos) << ReadDebugLog();
    EXPECT_FALSE(platform::FileExists("data/x.txt"));
    EXPECT_TRUE(LeftNoTemporaryFiles(folder.Path()));
    folder.Write("data/data.ini", "[setup]\n");
    SetupValues::Instance().Load();
}

TEST(Updater, HostileListEntriesAreRefusedAndTheRestFetched) {
    TempDirectory folder;
    std::filesystem::create_directories("inside");
    std::filesystem::current_path("inside");
    LocalHttpServer server;
    server.Serve(
        kList,
        "files/evil,../evil.txt\nfiles/abs,/tmp/polity-evil.txt\nfiles/good,data/good.txt\n");
    server.Serve("/files/evil", "evil");
    server.Serve("/files/abs", "evil");
    server.Serve("/files/good", "good");
    UpdaterRun run(server.Address());
    EXPECT_TRUE(run.Run());
    EXPECT_TRUE(run.Logged("IERROR:  Internet: refused local path ../evil.txt"));
    EXPECT_TRUE(run.Logged("IERROR:  Internet: refused local path /tmp/polity-evil.txt"));
    EXPECT_FALSE(std::filesystem::exists(folder.Path() + "/evil.txt"));
    EXPECT_FALSE(std::filesystem::exists("/tmp/polity-evil.txt"));
    EXPECT_EQ(folder.Read("inside/data/good.txt"), "good");
    EXPECT_EQ(server.Requests(), (std::vector<std::string>{kList, "/files/good"}));
    std::filesystem::current_path(folder.Path());
}

TEST(Updater, NoServerOrNoListReportsTheError) {
    TempDirectory folder;
    {
        UpdaterRun run("");
        EXPECT_FALSE(run.Run());
        EXPECT_TRUE(run.Logged("IERROR:  Internet: InternetConnect() Failed"));
    }
    {
        // A port nobody listens on any more.
        std::string address;
        {
            LocalHttpServer gone;
            address = gone.Address();
        }
        UpdaterRun run(address);
        EXPECT_FALSE(run.Run());
        EXPECT_TRUE(run.Logged("IERROR:  Internet: HttpSendRequest() Failed"));
    }
    {
        LocalHttpServer server;  // serves no list: 404
        UpdaterRun run(server.Address());
        EXPECT_FALSE(run.Run());
        EXPECT_TRUE(run.Logged(
            "IERROR:  Internet: the server answered 404 for voxmere/autoupdate/files.txt"));
        EXPECT_FALSE(platform::FileExists("data/webfiles.txt"));
    }
}
