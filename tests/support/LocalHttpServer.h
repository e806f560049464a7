// A tiny HTTP server on 127.0.0.1 with an ephemeral port, living inside the
// test: it serves fixed answers by path, including the faulty ones an update
// server can give (error statuses, no length, chunks, a cut connection).
#pragma once

#include <atomic>
#include <map>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

class LocalHttpServer {
public:
    enum class Framing {
        Length,     // Content-Length and the whole body
        Chunked,    // Transfer-Encoding: chunked
        CloseOnly,  // no length: the body ends when the connection closes
        CutMidway,  // announces the whole length, sends half, then closes
        Trickle,    // announces the whole length, then sends a byte every fifth of a second
    };

    LocalHttpServer();
    ~LocalHttpServer();
    LocalHttpServer(const LocalHttpServer&) = delete;
    LocalHttpServer& operator=(const LocalHttpServer&) = delete;

    // `path` as requested, with its leading "/".
    void Serve(const std::string& path, std::string body, int status = 200,
               Framing framing = Framing::Length);

    // "127.0.0.1:<port>"
    std::string Address() const;
    // Paths requested so far, in order.
    std::vector<std::string> Requests() const;

private:
    struct Reply {
        std::string body;
        int status = 200;
        Framing framing = Framing::Length;
    };
    void AcceptLoop();
    void Respond(int client);

    int listener_ = -1;
    int port_ = 0;
    std::atomic<bool> stopping_{false};
    mutable std::mutex mutex_;
    std::map<std::string, Reply> answers_;
    std::vector<std::string> requests_;
    std::thread thread_;
};
