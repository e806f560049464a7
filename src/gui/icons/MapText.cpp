// Map labels.
#include "gui/icons/MapText.h"

#include <algorithm>
#include <cmath>

#include "engine/GdiText.h"

int MapLabelSize(const MapMetrics& metrics) {
    return std::max(12, int(std::lround(12.0f * metrics.fit)));
}

FittedLabel FitLabel(std::string_view text, const char* face, int size, int maxWidth) {
    GdiText& gdi = GdiText::Instance();
    gdi.SelectFont(face, size);
    FittedLabel label{std::string(text), gdi.TextWidth(text)};
    if (label.width <= maxWidth) return label;
    // Leading words first: "Prison Overcrowding" reads better as "Prison"
    // than as "Prison Ove...".
    for (size_t space = text.rfind(' '); space != std::string_view::npos && space > 0;
         space = text.rfind(' ', space - 1)) {
        const std::string_view words = text.substr(0, space);
        const int width = gdi.TextWidth(words);
        if (width <= maxWidth && words.size() >= 4) return {std::string(words), width};
        if (space == 0) break;
    }
    // Windows-1252 ellipsis: game text is converted when it is drawn.
    const std::string ellipsis = "\x85";
    for (size_t length = text.size(); length > 1; --length) {
        std::string cut = std::string(text.substr(0, length - 1)) + ellipsis;
        const int width = gdi.TextWidth(cut);
        if (width <= maxWidth) return {cut, width};
    }
    return {std::string(text.substr(0, 1)), gdi.TextWidth(text.substr(0, 1))};
}
