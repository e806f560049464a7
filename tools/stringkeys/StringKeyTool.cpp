// Build step: scans every source file under <root>/src for the string-table
// keys the code uses and writes them as C++ initialisers. The output is only
// rewritten when it changes, so an unrelated edit recompiles nothing.
#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "aids/StringKeyScan.h"

namespace fs = std::filesystem;

namespace {

std::string ReadWhole(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 3) {
        std::fprintf(stderr, "usage: polity_stringkeys SOURCE_ROOT OUTPUT\n");
        return 2;
    }
    const fs::path root = argv[1];
    std::vector<fs::path> files;
    for (const auto& entry : fs::recursive_directory_iterator(root / "src")) {
        const std::string extension = entry.path().extension().string();
        if (entry.is_regular_file() && (extension == ".cpp" || extension == ".h"))
            files.push_back(entry.path());
    }
    std::sort(files.begin(), files.end());
    StringKeyUsage usage;
    for (const fs::path& file : files) {
        ScanSourceForStringKeys(ReadWhole(file), fs::relative(file, root).generic_string(), usage);
    }
    const std::string text = WriteStringKeyUsage(usage);
    const fs::path output = argv[2];
    if (fs::exists(output) && ReadWhole(output) == text) return 0;
    fs::create_directories(output.parent_path());
    std::ofstream out(output, std::ios::binary);
    out << text;
    return out ? 0 : 1;
}
