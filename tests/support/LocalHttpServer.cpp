// The test's HTTP server: one connection at a time, each closed after its
// answer, on a thread that polls so it stops promptly.
#include "support/LocalHttpServer.h"

#include <arpa/inet.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace {

constexpr int kPollMilliseconds = 50;

void SendAll(int socket, const std::string& data) {
    size_t sent = 0;
    while (sent < data.size()) {
        const ssize_t n = ::send(socket, data.data() + sent, data.size() - sent, MSG_NOSIGNAL);
        if (n <= 0) return;
        sent += static_cast<size_t>(n);
    }
}

// The request line's path, once the headers are in; empty on failure.
std::string ReadRequestPath(int client) {
    std::string request;
    char piece[1024];
    while (request.find("\r\n\r\n") == std::string::npos && request.size() < 65536) {
        pollfd ready{client, POLLIN, 0};
        if (::poll(&ready, 1, 2000) <= 0) return {};
        const ssize_t n = ::recv(client, piece, sizeof(piece), 0);
        if (n <= 0) return {};
        request.append(piece, static_cast<size_t>(n));
    }
    const size_t first = request.find(' ');
    const size_t second = request.find(' ', first + 1);
    if (first == std::string::npos || second == std::string::npos) return {};
    return request.substr(first + 1, second - first - 1);
}

}  // namespace

LocalHttpServer::LocalHttpServer() {
    listener_ = ::socket(AF_INET, SOCK_STREAM, 0);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    address.sin_port = 0;
    socklen_t length = sizeof(address);
    if (listener_ < 0 ||
        ::bind(listener_, reinterpret_cast<sockaddr*>(&address), sizeof(address)) != 0 ||
        ::listen(listener_, 8) != 0 ||
        ::getsockname(listener_, reinterpret_cast<sockaddr*>(&address), &length) != 0) {
        std::abort();
    }
    port_ = ntohs(address.sin_port);
    thread_ = std::thread([this] { AcceptLoop(); });
}

LocalHttpServer::~LocalHttpServer() {
    stopping_ = true;
    thread_.join();
    ::close(listener_);
}

void LocalHttpServer::Serve(const std::string& path, std::string body, int status,
                            Framing framing) {
    std::lock_guard lock(mutex_);
    answers_[path] = {std::move(body), status, framing};
}

std::string LocalHttpServer::Address() const {
    return "127.0.0.1:" + std::to_string(port_);
}

std::vector<std::string> LocalHttpServer::Requests() const {
    std::lock_guard lock(mutex_);
    return requests_;
}

void LocalHttpServer::AcceptLoop() {
    while (!stopping_) {
        pollfd ready{listener_, POLLIN, 0};
        if (::poll(&ready, 1, kPollMilliseconds) <= 0) continue;
        const int client = ::accept(listener_, nullptr, nullptr);
        if (client < 0) continue;
        Respond(client);
        ::close(client);
    }
}

void LocalHttpServer::Respond(int client) {
    const std::string path = ReadRequestPath(client);
    Reply answer{"not found", 404, Framing::Length};
    {
        std::lock_guard lock(mutex_);
        requests_.push_back(path);
        if (const auto it = answers_.find(path); it != answers_.end()) answer = it->second;
    }
    std::string head =
        "HTTP/1.1 " + std::to_string(answer.status) + " Answer\r\nConnection: close\r\n";
    const std::string& body = answer.body;
    switch (answer.framing) {
        case Framing::Length:
            SendAll(client,
                    head + "Content-Length: " + std::to_string(body.size()) + "\r\n\r\n" + body);
            break;
        case Framing::Chunked: {
            std::string chunks;
            for (size_t at = 0; at < body.size(); at += 1000) {
                const std::string part = body.substr(at, 1000);
                char size[16];
                std::snprintf(size, sizeof(size), "%zx\r\n", part.size());
                chunks += size + part + "\r\n";
            }
            SendAll(client, head + "Transfer-Encoding: chunked\r\n\r\n" + chunks + "0\r\n\r\n");
            break;
        }
        case Framing::CloseOnly:
            SendAll(client, head + "\r\n" + body);
            break;
        case Framing::CutMidway:
            SendAll(client, head + "Content-Length: " + std::to_string(body.size()) + "\r\n\r\n" +
                                body.substr(0, body.size() / 2));
            break;
        case Framing::Trickle:
            SendAll(client, head + "Content-Length: " + std::to_string(body.size()) + "\r\n\r\n");
            for (size_t at = 0; at < body.size() && !stopping_; ++at) {
                if (::send(client, body.data() + at, 1, MSG_NOSIGNAL) != 1) break;
                std::this_thread::sleep_for(std::chrono::milliseconds(200));
            }
            break;
    }
}
