// libcurl's multi interface turned into send-then-read requests.
#include "platform/HttpClient.h"

#include <curl/curl.h>

#include <algorithm>
#include <cctype>
#include <cstring>
#include <mutex>

namespace platform {

namespace {

constexpr long kConnectSeconds = 10;
// A response that stalls below 1 byte a second for this long is given up.
constexpr long kStallSeconds = 15;
constexpr int kPollMilliseconds = 100;

std::string Lowercase(std::string_view text) {
    std::string out(text);
    std::transform(out.begin(), out.end(), out.begin(),
                   [](unsigned char c) { return std::tolower(c); });
    return out;
}

}  // namespace

bool StartHttp() {
    static std::once_flag once;
    static bool started = false;
    std::call_once(once, [] { started = curl_global_init(CURL_GLOBAL_DEFAULT) == CURLE_OK; });
    return started;
}

struct HttpRequest::Transfer {
    CURL* easy = nullptr;
    CURLM* multi = nullptr;
    std::string pending;  // body bytes received, not yet read
    bool done = false;
    bool headersSeen = false;
    bool chunked = false;
    CURLcode result = CURLE_OK;
    char errorBuffer[CURL_ERROR_SIZE] = {};

    ~Transfer() {
        if (multi && easy) curl_multi_remove_handle(multi, easy);
        if (easy) curl_easy_cleanup(easy);
        if (multi) curl_multi_cleanup(multi);
    }

    static size_t OnBody(char* data, size_t size, size_t count, void* self) {
        auto* transfer = static_cast<Transfer*>(self);
        transfer->pending.append(data, size * count);
        return size * count;
    }

    static size_t OnHeader(char* data, size_t size, size_t count, void* self) {
        auto* transfer = static_cast<Transfer*>(self);
        const std::string line = Lowercase(std::string_view(data, size * count));
        // A new status line starts a new response (after a 401 or a 100).
        if (line.rfind("http/", 0) == 0) transfer->chunked = false;
        if (line.rfind("transfer-encoding:", 0) == 0 && line.find("chunked") != std::string::npos) {
            transfer->chunked = true;
        }
        transfer->headersSeen = true;
        return size * count;
    }
};

HttpRequest::HttpRequest(const std::string& url, const std::string& agent, const std::string& user,
                         const std::string& password, long deadlineSeconds)
    : transfer_(std::make_unique<Transfer>()) {
    Transfer& t = *transfer_;
    t.easy = curl_easy_init();
    t.multi = curl_multi_init();
    if (!t.easy || !t.multi) return;
    curl_easy_setopt(t.easy, CURLOPT_URL, url.c_str());
    curl_easy_setopt(t.easy, CURLOPT_USERAGENT, agent.c_str());
    // Direct access: no proxy from the environment.
    curl_easy_setopt(t.easy, CURLOPT_PROXY, "");
    curl_easy_setopt(t.easy, CURLOPT_PROTOCOLS_STR, "http,https");
    curl_easy_setopt(t.easy, CURLOPT_FOLLOWLOCATION, 0L);
    // The credentials go out only when the server asks for them.
    curl_easy_setopt(t.easy, CURLOPT_USERNAME, user.c_str());
    curl_easy_setopt(t.easy, CURLOPT_PASSWORD, password.c_str());
    curl_easy_setopt(t.easy, CURLOPT_HTTPAUTH, CURLAUTH_ANY);
    curl_easy_setopt(t.easy, CURLOPT_CONNECTTIMEOUT, kConnectSeconds);
    curl_easy_setopt(t.easy, CURLOPT_TIMEOUT, deadlineSeconds);
    curl_easy_setopt(t.easy, CURLOPT_LOW_SPEED_LIMIT, 1L);
    curl_easy_setopt(t.easy, CURLOPT_LOW_SPEED_TIME, kStallSeconds);
    curl_easy_setopt(t.easy, CURLOPT_NOSIGNAL, 1L);
    curl_easy_setopt(t.easy, CURLOPT_WRITEFUNCTION, &Transfer::OnBody);
    curl_easy_setopt(t.easy, CURLOPT_WRITEDATA, &t);
    curl_easy_setopt(t.easy, CURLOPT_HEADERFUNCTION, &Transfer::OnHeader);
    curl_easy_setopt(t.easy, CURLOPT_HEADERDATA, &t);
    curl_easy_setopt(t.easy, CURLOPT_ERRORBUFFER, t.errorBuffer);
}

HttpRequest::~HttpRequest() = default;

void HttpRequest::Pump() {
    Transfer& t = *transfer_;
    while (t.pending.empty() && !t.done) {
        int running = 0;
        curl_multi_perform(t.multi, &running);
        int queued = 0;
        while (CURLMsg* message = curl_multi_info_read(t.multi, &queued)) {
            if (message->msg == CURLMSG_DONE) {
                t.done = true;
                t.result = message->data.result;
            }
        }
        if (!t.pending.empty() || t.done) break;
        curl_multi_poll(t.multi, nullptr, 0, kPollMilliseconds, nullptr);
    }
}

bool HttpRequest::Send() {
    Transfer& t = *transfer_;
    if (!t.easy || !t.multi || !StartHttp()) {
        error_ = "libcurl could not start";
        return false;
    }
    curl_multi_add_handle(t.multi, t.easy);
    // The headers are complete once body bytes arrive or the transfer ends.
    Pump();
    long status = 0;
    curl_easy_getinfo(t.easy, CURLINFO_RESPONSE_CODE, &status);
    status_ = static_cast<int>(status);
    if (status_ == 0) {
        error_ = t.errorBuffer[0] ? t.errorBuffer : curl_easy_strerror(t.result);
        return false;
    }
    curl_off_t length = -1;
    curl_easy_getinfo(t.easy, CURLINFO_CONTENT_LENGTH_DOWNLOAD_T, &length);
    if (length >= 0) contentLength_ = static_cast<std::int64_t>(length);
    chunked_ = t.chunked;
    return true;
}

long HttpRequest::Read(char* out, size_t capacity) {
    Transfer& t = *transfer_;
    Pump();
    if (!t.pending.empty()) {
        const size_t count = std::min(capacity, t.pending.size());
        std::memcpy(out, t.pending.data(), count);
        t.pending.erase(0, count);
        return static_cast<long>(count);
    }
    if (t.result != CURLE_OK) {
        error_ = t.errorBuffer[0] ? t.errorBuffer : curl_easy_strerror(t.result);
        return -1;
    }
    return 0;
}

HttpConnection::HttpConnection(std::string agent, std::string_view server, std::string user,
                               std::string password)
    : agent_(std::move(agent)), user_(std::move(user)), password_(std::move(password)) {
    std::string base(server);
    while (!base.empty() && std::isspace(static_cast<unsigned char>(base.back()))) base.pop_back();
    if (base.empty()) return;
    if (base.find("://") == std::string::npos) base = "http://" + base;
    if (base.back() != '/') base += '/';
    base_ = std::move(base);
}

std::unique_ptr<HttpRequest> HttpConnection::OpenRequest(std::string_view object) const {
    if (!IsValid()) return nullptr;
    while (!object.empty() && object.front() == '/') object.remove_prefix(1);
    std::string url = base_;
    for (const char c : object) {
        // Names travel as written, except what a URL cannot hold.
        if (c == ' ')
            url += "%20";
        else
            url += c;
    }
    return std::make_unique<HttpRequest>(url, agent_, user_, password_, deadline_);
}

}  // namespace platform
