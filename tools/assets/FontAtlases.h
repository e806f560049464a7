// Bitmap-font atlases rendered from the installed free fonts: a 10 x 10 grid
// of glyph cells and the width file the game's font loader reads beside it.
#pragma once

#include <string>

// Reads the atlas list (an INI file, one section per atlas) and writes each
// texture under `outputFolder`/bitmaps and each width file under
// `outputFolder`. Returns the count written, or -1 after printing why.
int GenerateFontAtlases(const std::string& listPath, const std::string& outputFolder);
