// Drawing helpers the widgets share beyond the engine's primitives.
#pragma once

#include <cstdint>

#include "engine/Sprite.h"

// A vertical blend from `top` to `bottom`, one row of pixels at a time.
void FillVerticalGradient(const Rect& rect, std::uint32_t top, std::uint32_t bottom);
// Filled, then outlined.
void FillOutlined(const Rect& rect, std::uint32_t fill, std::uint32_t outline);
// Blends two ARGB colours channel by channel; t in 0..1.
std::uint32_t BlendColour(std::uint32_t from, std::uint32_t to, float t);
