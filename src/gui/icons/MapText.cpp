// Map labels.
#include "gui/icons/MapText.h"

#include "engine/GdiText.h"

int MapLabelSize(const MapMetrics& metrics) {
    return MapLabelSize(metrics.width, metrics.height);
}

FittedLabel FitLabel(std::initializer_list<std::string_view> names, const LabelRoom& room) {
    GdiText& gdi = GdiText::Instance();
    gdi.SelectFont(room.face, room.size);
    std::string_view last;
    for (std::string_view name : names) {
        if (name.empty()) continue;
        last = name;
        const int width = gdi.TextWidth(name);
        if (width <= room.width) return {std::string(name), width};
    }
    if (last.empty()) return {};
    // Windows-1252 ellipsis: game text is converted when it is drawn.
    const std::string ellipsis = "\x85";
    for (size_t length = last.size(); length > 1; --length) {
        std::string cut = std::string(last.substr(0, length - 1)) + ellipsis;
        const int width = gdi.TextWidth(cut);
        if (width <= room.width) return {cut, width};
    }
    return {std::string(last.substr(0, 1)), gdi.TextWidth(last.substr(0, 1))};
}
