// Word wrapping for system-font text, apart from any font so its rules can be
// checked with a made-up measure: lines break at spaces and at line feeds.
#pragma once

#include <functional>
#include <string>
#include <string_view>
#include <vector>

// Splits UTF-8 text into lines no wider than `width` by `measure`. A word
// wider than the whole line is broken between characters rather than left to
// spill out of its box. Spaces at a break are dropped.
std::vector<std::string> WrapText(std::string_view text, int width,
                                  const std::function<int(std::string_view)>& measure);
