// A fresh folder for one test, made the working directory while it lives, so
// the game's relative paths ("data/...", "debugdata/...") land inside it.
#pragma once

#include <string>
#include <string_view>

class TempDirectory {
public:
    TempDirectory();
    ~TempDirectory();
    TempDirectory(const TempDirectory&) = delete;
    TempDirectory& operator=(const TempDirectory&) = delete;

    const std::string& Path() const { return path_; }

    // Writes a file relative to the folder, creating its parent folders.
    void Write(std::string_view relativePath, std::string_view contents) const;
    std::string Read(std::string_view relativePath) const;

private:
    std::string path_;
    std::string previous_;
};

// The debug log's lines since it was opened (the file debugdata/debug.txt).
std::string ReadDebugLog();
