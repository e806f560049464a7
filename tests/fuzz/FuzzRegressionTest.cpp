// Every input that once crashed a fuzzer, or made it report or hang, fed
// again to the same entry point. Inputs live in fuzz_regressions/<target>/,
// as they were (.txt) or hex-encoded (.hex) when they hold binary bytes.
#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "FuzzTargets.h"
#include "support/TempDirectory.h"

namespace fs = std::filesystem;

namespace {

const fs::path kRegressions = fs::path(POLITY_SOURCE_DIR) / "tests/fuzz/fuzz_regressions";

std::string ReadBytes(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    std::stringstream buffer;
    buffer << in.rdbuf();
    return buffer.str();
}

// Pairs of hex digits; blanks and line ends between them are layout.
std::string DecodeHex(const std::string& text) {
    std::string bytes, digits;
    for (const char c : text) {
        if (std::isxdigit(static_cast<unsigned char>(c))) digits += c;
    }
    for (size_t i = 0; i + 1 < digits.size(); i += 2) bytes += static_cast<char>(std::stoi(digits.substr(i, 2), nullptr, 16));
    return bytes;
}

}  // namespace

TEST(FuzzRegressions, EverySavedInputRunsCleanlyThroughItsEntry) {
    ASSERT_TRUE(fs::is_directory(kRegressions));
    int inputs = 0;
    std::vector<fs::path> folders;
    for (const auto& folder : fs::directory_iterator(kRegressions)) folders.push_back(folder.path());
    std::sort(folders.begin(), folders.end());
    for (const fs::path& folder : folders) {
        if (!fs::is_directory(folder)) continue;
        const fuzz::Entry entry = fuzz::FindTarget(folder.filename().string());
        ASSERT_NE(entry, nullptr) << "no fuzz target named " << folder.filename();
        std::vector<fs::path> files;
        for (const auto& file : fs::directory_iterator(folder)) files.push_back(file.path());
        std::sort(files.begin(), files.end());
        for (const fs::path& file : files) {
            SCOPED_TRACE(file.string());
            const std::string raw = ReadBytes(file);
            const std::string input = file.extension() == ".hex" ? DecodeHex(raw) : raw;
            // Each input in a fresh folder with the game's data, as the fuzzers run.
            TempDirectory dir;
            fs::copy(fs::path(POLITY_SOURCE_DIR) / "data", "data", fs::copy_options::recursive);
            entry(input);
            ++inputs;
        }
    }
    EXPECT_GT(inputs, 0);
}
