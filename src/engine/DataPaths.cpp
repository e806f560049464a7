// Locating generated data.
#include "engine/DataPaths.h"

#include <cstdlib>

#include "engine/D3DEngine.h"
#include "platform/FileSystem.h"

#ifndef POLITY_GENERATED_DATA_DIR
#define POLITY_GENERATED_DATA_DIR "generated/data"
#endif

namespace {

std::string g_generatedFolder;

}  // namespace

std::string GeneratedDataFolder() {
    if (const char* folder = std::getenv("POLITY_GENERATED_DATA"); folder && *folder) return folder;
    if (!g_generatedFolder.empty()) return g_generatedFolder;
    return POLITY_GENERATED_DATA_DIR;
}

void SetGeneratedDataFolder(std::string folder) { g_generatedFolder = std::move(folder); }

std::string FindDataFile(std::string_view relative) {
    const std::string local = "data/" + std::string(relative);
    if (platform::FileExists(local)) return local;
    return GeneratedDataFolder() + "/" + std::string(relative);
}

void AddStandardTextureDirectories(D3DEngine& engine) {
    for (const char* folder : {"bitmaps", "bitmaps/flags", "mods/bitmaps", "bitmaps/briefing"}) {
        engine.AddTextureDirectory(std::string("data/") + folder);
    }
    for (const char* folder : {"bitmaps", "bitmaps/flags", "bitmaps/briefing"}) {
        engine.AddTextureDirectory(GeneratedDataFolder() + "/" + folder);
    }
}
