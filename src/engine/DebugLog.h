// The debug log "debugdata/debug.txt": every subsystem writes progress and
// problems here, and every line is flushed at once so that the file is whole
// up to its last line if the program ends abruptly.
#pragma once

#include <cstdio>
#include <set>
#include <string>
#include <string_view>

class DebugLog {
public:
    static DebugLog& Instance();

    // Replaces any existing log at `path` and writes the header line, or
    // with `append` continues it (start-up running again inside the same
    // program must not wipe what the session logged so far).
    // Logging stays silent when the file cannot be created.
    void Open(std::string_view path = "debugdata/debug.txt", bool append = false);
    void Close();
    bool IsOpen() const { return file_ != nullptr; }

    // Writes one line (a trailing line feed in the text is not doubled).
    void Write(std::string_view text);

    // Category lines are written only for enabled categories.
    void EnableChannel(std::string_view channel);
    void DisableChannel(std::string_view channel);
    bool IsChannelEnabled(std::string_view channel) const;
    void WriteChannel(std::string_view channel, std::string_view text);

    // Also copies every line to standard error (our stand-in for the
    // debugger's output window).
    void SetEchoToStandardError(bool echo) { echo_ = echo; }

    ~DebugLog();

private:
    DebugLog() = default;
    std::FILE* file_ = nullptr;
    std::set<std::string, std::less<>> channels_;
    bool echo_ = false;
};

// Shorthands used across the game.
void OpenLog();
void Log(std::string_view text);
void CloseLog();
