// Game strings are 8-bit Windows-1252 text; the system (window titles, message
// boxes, fonts) wants UTF-8. Conversion happens only at that seam.
#pragma once

#include <string>
#include <string_view>

namespace platform {

std::string Cp1252ToUtf8(std::string_view text);

// Characters with no Windows-1252 form become "?".
std::string Utf8ToCp1252(std::string_view text);

}  // namespace platform
