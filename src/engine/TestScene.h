// A test card that exercises every drawing path of the engine (sprites,
// primitives, both kinds of text, skin colours, a missing texture), drawn for
// "polity --screenshot" and for the golden-image tests.
#pragma once

#include <string>
#include <string_view>

#include "platform/Image.h"

// Starts the engine offscreen at the size, loads fonts, style sheet and skin,
// draws the card and returns the frame; the engine is released afterwards.
platform::Image RenderTestScene(int width, int height, std::string* error = nullptr);

// Renders the card and writes it as PNG.
bool WriteTestSceneScreenshot(std::string_view path, int width, int height,
                              std::string* error = nullptr);

// Registers the generated bitmap fonts the way the game does.
void AddStandardFonts();

// Draws the card with the started engine and its fonts; lays out by the
// interface scale, screen width / 1024.
void DrawTestScene(int width, int height);
