// SVG sources rasterised into textures: the look of frames, buttons, icons and
// the pointer lives in readable text files, and adding one adds a texture.
#pragma once

#include <string>

#include "DdsWriter.h"

// Every "*.svg" below `sourceFolder` (subfolders kept) becomes "<stem>.dds"
// below `outputFolder`, at the size the SVG declares. Returns the count
// written, or -1 after printing why one failed.
int GenerateSvgTextures(const std::string& sourceFolder, const std::string& outputFolder);

// An SVG document held in memory, rasterised at the size it declares.
bool RasteriseSvgText(const std::string& svg, ArgbImage& image, std::string& error);
