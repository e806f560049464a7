// Screen configuration rules.
#include "core/ScreenConfiguration.h"

#include "core/DataFiles.h"
#include "core/SectionReader.h"
#include "core/TextUtilities.h"
#include "engine/DebugLog.h"

ScreenConfiguration LoadScreenConfiguration(std::string_view path, int desktopWidth, int desktopHeight) {
    SectionReader pref;
    pref.ReadSection("pref", path);
    ScreenConfiguration config;
    config.width = ParseInt(pref.Lookup("SCREEN_WIDTH"));
    config.height = ParseInt(pref.Lookup("SCREEN_HEIGHT"));
    config.depth = ParseInt(pref.Lookup("ColorDepth"));

    const bool unset = config.width == 0 || config.height == 0;
    if (unset) {
        config.width = desktopWidth;
        config.height = desktopHeight;
    } else {
        if (config.height > desktopHeight) config.height = desktopHeight;
        if (config.width > desktopWidth) config.width = desktopWidth;
    }
    if (unset || config.height == desktopHeight) {
        WriteWholeNumber("config", "IsWindowed", 0, path);
        config.forcedFullScreen = true;
    }
    if (config.width < 0 || config.width >= 2049) {
        Log("invalid screen res config");
        config.width = 800;
        config.height = 600;
        config.depth = 32;
        config.invalid = true;
    }
    // Taken from the size actually used, so a rejected width never yields a
    // negative or huge interface scale.
    config.interfaceScale = static_cast<float>(config.width) * 0.0009765625f;
    return config;
}
