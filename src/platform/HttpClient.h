// HTTP GET through libcurl in the shape the updater was written against: a
// session, a connection to one server, and requests whose response is read
// piece by piece after the headers are in.
#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

namespace platform {

class HttpRequest {
public:
    // Made by HttpConnection::OpenRequest; nothing is sent before Send.
    // The whole request, body and all, is given up after `deadlineSeconds`.
    HttpRequest(const std::string& url, const std::string& agent, const std::string& user,
                const std::string& password, long deadlineSeconds);
    ~HttpRequest();
    HttpRequest(const HttpRequest&) = delete;
    HttpRequest& operator=(const HttpRequest&) = delete;

    // Sends the request and waits for the response's headers. False when no
    // response came (no server, refused, timed out); ErrorText says why.
    bool Send();
    int Status() const { return status_; }
    // The declared length; none for chunked or close-delimited responses.
    std::optional<std::int64_t> ContentLength() const { return contentLength_; }
    bool IsChunked() const { return chunked_; }

    // Reads up to `capacity` bytes of the body: the count read, 0 at its
    // end, -1 when the transfer failed (for instance cut off midway).
    long Read(char* out, size_t capacity);
    const std::string& ErrorText() const { return error_; }

private:
    struct Transfer;
    // Lets curl work until body bytes are waiting or the transfer is over.
    void Pump();

    std::unique_ptr<Transfer> transfer_;
    int status_ = 0;
    std::optional<std::int64_t> contentLength_;
    bool chunked_ = false;
    std::string error_;
};

class HttpConnection {
public:
    // `server` is "host", "host:port" or "http://host:port/path/"; the
    // port is 80 unless given.
    HttpConnection(std::string agent, std::string_view server, std::string user,
                   std::string password);

    bool IsValid() const { return !base_.empty(); }
    // How long one request may take in all: a server that sends a byte now
    // and then never stalls, yet must not keep the player waiting for ever.
    static constexpr long kDeadlineSeconds = 300;
    void SetDeadlineSeconds(long seconds) { deadline_ = seconds > 0 ? seconds : kDeadlineSeconds; }
    const std::string& BaseUrl() const { return base_; }

    // A GET request for an object name relative to the server's root.
    std::unique_ptr<HttpRequest> OpenRequest(std::string_view object) const;

private:
    std::string agent_;
    std::string base_;
    long deadline_ = kDeadlineSeconds;
    std::string user_;
    std::string password_;
};

// Starts libcurl once for the program; false when it cannot run.
bool StartHttp();

}  // namespace platform
