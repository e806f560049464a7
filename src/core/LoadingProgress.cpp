// Loading-screen progress reports.
#include "core/LoadingProgress.h"

#include <string>

#include "engine/DebugLog.h"
#include "platform/Clock.h"

namespace {
std::function<void(std::string_view, float)>& Handler() {
    static std::function<void(std::string_view, float)> handler;
    return handler;
}
}  // namespace

void ReportLoadingProgress(std::string_view label, float progress) {
    if (Handler()) {
        Handler()(label, progress);
    } else {
        Log("loading: " + std::string(label));
    }
}

void SetLoadingProgressHandler(std::function<void(std::string_view, float)> handler) {
    Handler() = std::move(handler);
}

bool ProgressThrottle::Due() {
    const double now = platform::MillisecondsNow();
    if (now - last_ < interval_) return false;
    last_ = now;
    return true;
}
