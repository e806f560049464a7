// Process set-up and input files for the fuzz entries.
#include "FuzzSupport.h"

#include <filesystem>
#include <fstream>

#include "core/EnrolledManager.h"
#include "core/LinkedMode.h"
#include "engine/Diagnostics.h"
#include "platform/IniFile.h"
#include "platform/Shell.h"
#include "simulation/Network.h"
#include "world/Grudge.h"

namespace fuzz {

namespace {

[[noreturn]] void ThrowFatal(const std::string& text) { throw FatalDataError{text}; }

}  // namespace

void PrepareProcess() {
    static const bool prepared = [] {
        platform::SetHeadless(true);
        SetFatalErrorHook(&ThrowFatal);
        return true;
    }();
    (void)prepared;
}

void ClearGameState() {
    ClearGrudgeList();
    SetLinkedMode(false);
    EnrolledManager::ResetAll();
    Network::DeleteAllNeurons();
    Network::DeleteAllEffects();
    SetLinkedMode(true);
    Network::SetSettleMode(false);
}

void WriteInputFile(const std::string& path, std::string_view bytes) {
    const std::filesystem::path file(path);
    if (file.has_parent_path()) std::filesystem::create_directories(file.parent_path());
    std::ofstream out(file, std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    out.close();
    IniFile::ClearCache();
}

std::vector<std::string_view> SplitInput(std::string_view input, size_t count) {
    std::vector<std::string_view> parts;
    while (parts.size() + 1 < count) {
        const size_t zero = input.find('\0');
        if (zero == std::string_view::npos) break;
        parts.push_back(input.substr(0, zero));
        input.remove_prefix(zero + 1);
    }
    parts.push_back(input);
    while (parts.size() < count) parts.emplace_back();
    return parts;
}

float FractionFrom(std::string_view bytes) {
    std::uint32_t bits = 0;
    for (size_t i = 0; i < bytes.size() && i < 4; ++i)
        bits = (bits << 8) | static_cast<unsigned char>(bytes[i]);
    return static_cast<float>(bits % 10001u) / 10000.0f;
}

}  // namespace fuzz
