// Where the engine finds the pictures and font widths the asset tool
// generates at build time, beside the hand-written data under "data/".
#pragma once

#include <string>
#include <string_view>

class D3DEngine;

// The generated data folder: $POLITY_GENERATED_DATA when set, otherwise the
// folder last given to SetGeneratedDataFolder (an installed game's data
// folder, which holds them), otherwise the build's own "data" folder.
std::string GeneratedDataFolder();
void SetGeneratedDataFolder(std::string folder);

// "data/<relative>" when it exists in the working directory, otherwise the
// generated copy; the game's data always wins over generated files.
std::string FindDataFile(std::string_view relative);

// The game's texture folders in their search order, then their generated twins.
void AddStandardTextureDirectories(D3DEngine& engine);
