// The debug log file and its channels.
#include "engine/DebugLog.h"

#include "platform/FileSystem.h"

DebugLog& DebugLog::Instance() {
    static DebugLog log;
    return log;
}

DebugLog::~DebugLog() { Close(); }

void DebugLog::Open(std::string_view path, bool append) {
    Close();
    const std::string normal = platform::NormalizeSeparators(path);
    const size_t slash = normal.rfind('/');
    if (slash != std::string::npos) platform::CreateDirectories(normal.substr(0, slash));
    file_ = std::fopen(platform::ResolvePathForWriting(normal).c_str(), append ? "a" : "w");
    Write("----DEBUG FILE----");
}

void DebugLog::Close() {
    if (!file_) return;
    std::fputs("END DEBUG---\n", file_);
    std::fclose(file_);
    file_ = nullptr;
}

void DebugLog::Write(std::string_view text) {
    if (!text.empty() && text.back() == '\n') text.remove_suffix(1);
    if (echo_) {
        std::fwrite(text.data(), 1, text.size(), stderr);
        std::fputc('\n', stderr);
    }
    if (!file_) return;
    std::fwrite(text.data(), 1, text.size(), file_);
    std::fputc('\n', file_);
    std::fflush(file_);
}

void DebugLog::EnableChannel(std::string_view channel) { channels_.emplace(channel); }

void DebugLog::DisableChannel(std::string_view channel) {
    auto it = channels_.find(channel);
    if (it != channels_.end()) channels_.erase(it);
}

bool DebugLog::IsChannelEnabled(std::string_view channel) const { return channels_.count(channel) != 0; }

void DebugLog::WriteChannel(std::string_view channel, std::string_view text) {
    if (IsChannelEnabled(channel)) Write(text);
}

void OpenLog() { DebugLog::Instance().Open(); }
void Log(std::string_view text) { DebugLog::Instance().Write(text); }
void CloseLog() { DebugLog::Instance().Close(); }
