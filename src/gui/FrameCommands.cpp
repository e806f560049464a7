// The queue of deferred commands.
#include "gui/FrameCommands.h"

#include <vector>

namespace {
std::vector<std::function<void()>>& Queue() {
    static std::vector<std::function<void()>> queue;
    return queue;
}
bool g_running = false;
}  // namespace

void RunAfterFrame(std::function<void()> command) {
    Queue().push_back(std::move(command));
}

void RunFrameCommands() {
    if (g_running) return;
    g_running = true;
    const std::vector<std::function<void()>> commands = std::move(Queue());
    Queue().clear();
    for (const auto& command : commands) command();
    g_running = false;
}

void ClearFrameCommands() {
    Queue().clear();
}
