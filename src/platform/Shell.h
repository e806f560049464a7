// The desktop's services the game asks for: message boxes and opening a web
// page or mail address. Without a display (headless runs, tests) nothing is
// shown and callers are told so, so they can log instead of blocking.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace platform {

void SetHeadless(bool headless);
bool IsHeadless();

// Shows a modal box with an OK button. False when nothing could be shown.
bool ShowMessageBox(std::string_view title, std::string_view text);

// Shows a modal box with the given buttons (left to right) and returns the
// index of the one pressed, or -1 when nothing could be shown.
int ShowButtonBox(std::string_view title, std::string_view text, const std::vector<std::string>& buttons);

// Opens a document, web page or "mailto:" address with the desktop's handler.
bool OpenDocument(std::string_view target);

// Percent-encodes everything but the unreserved characters of RFC 3986, so any
// text can travel inside a URL or mail address unchanged.
std::string PercentEncode(std::string_view text);

}  // namespace platform
