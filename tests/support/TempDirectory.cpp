// Temporary working folders for tests.
#include "support/TempDirectory.h"

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "engine/DebugLog.h"
#include "platform/IniFile.h"

namespace fs = std::filesystem;

TempDirectory::TempDirectory() {
    previous_ = fs::current_path().string();
    std::string pattern = (fs::temp_directory_path() / "polity-test-XXXXXX").string();
    if (!mkdtemp(pattern.data())) std::abort();
    path_ = pattern;
    fs::current_path(path_);
    IniFile::ClearCache();
}

TempDirectory::~TempDirectory() {
    DebugLog::Instance().Close();
    IniFile::ClearCache();
    fs::current_path(previous_);
    std::error_code ec;
    fs::remove_all(path_, ec);
}

void TempDirectory::Write(std::string_view relativePath, std::string_view contents) const {
    const fs::path target = fs::path(path_) / relativePath;
    fs::create_directories(target.parent_path());
    std::ofstream out(target, std::ios::binary);
    out.write(contents.data(), static_cast<std::streamsize>(contents.size()));
}

std::string TempDirectory::Read(std::string_view relativePath) const {
    std::ifstream in(fs::path(path_) / relativePath, std::ios::binary);
    std::stringstream buffer;
    buffer << in.rdbuf();
    return buffer.str();
}

std::string ReadDebugLog() {
    std::ifstream in("debugdata/debug.txt", std::ios::binary);
    std::stringstream buffer;
    buffer << in.rdbuf();
    return buffer.str();
}
