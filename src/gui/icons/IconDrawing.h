// The drawing steps the map's icons and the main screen's panels share.
#pragma once

#include <cstdint>

#include "engine/Sprite.h"

// Draws `texture` as a square of side `size` centred on the point, tinted
// with `colour`.
void DrawCentredTexture(const char* texture, float x, float y, float size, unsigned colour);

// The rectangle filled with `colour` (alpha blended) by stretching a plain
// white texture: the sprite blitter fills many times faster than the
// renderer's own blended fill, which matters for the map's many panels.
void FillBlitted(const Rect& rect, std::uint32_t colour);
