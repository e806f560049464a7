// Small charts the information windows share: signed bars for what pushes a
// value up or down, level bars, tick and cross marks, pie slices and line
// charts of histories (newest value first). Each draws straight away with
// the engine; colours are ARGB.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "engine/Skin.h"
#include "engine/Sprite.h"

// A bar from the middle of the rectangle: to the right in the good colour
// for a positive value, to the left in the bad colour for a negative one.
// The value is clamped to -1..1; a mid mark shows where zero is.
void DrawSignedBar(const Rect& rect, float value);
// A track with the fraction (0..1) filled from the left.
void DrawLevelBar(const Rect& rect, float fraction, std::uint32_t colour);
// A tick (kept, good) or a cross (broken, bad) in a square of `size` pixels
// whose top-left corner is at (x, y).
void DrawTick(float x, float y, float size, std::uint32_t colour);
void DrawCross(float x, float y, float size, std::uint32_t colour);
// A filled slice of a disc, angles in radians clockwise from straight up.
void FillPieSlice(float centreX, float centreY, float radius, float startAngle, float endAngle,
                  std::uint32_t colour);

struct ChartSeries {
    std::vector<float> values;  // newest first; drawn right to left
    std::uint32_t colour = Skin::Instance().Get(Skin::COL_INK);
};
// Grid, curves and frame; each value is plotted at value / top of the
// height (clamped), the newest at the right edge.
void DrawHistoryChart(const Rect& rect, const std::vector<ChartSeries>& series, float top);

// Seats held out of a total, filled from the left in the good colour when
// they make a majority (at least `needed`) and the bad colour otherwise, with
// a mark where the majority begins.
void DrawSeatBar(const Rect& rect, int held, int total, int needed);

// Bursts of the firework sprite over the area, growing and fading in turn;
// `frame` counts the frames since the celebration began. The positions come
// from the frame count alone, so drawing never touches the game's random
// numbers.
void DrawFireworks(const Rect& area, int frame);
