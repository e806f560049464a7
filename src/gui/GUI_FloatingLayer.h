// The layer above every window: the tooltips queued during the frame, drawn
// once at its end so no window can cover them.
#pragma once

#include <cstddef>
#include <vector>

class GUI_Tooltip;

class GUI_FloatingLayer {
public:
    static GUI_FloatingLayer& Instance();

    void Queue(GUI_Tooltip* tooltip);
    // A tooltip being deleted leaves the queue.
    void Forget(const GUI_Tooltip* tooltip);
    // Draws and fades every queued tooltip, then empties the queue.
    void DrawAll();
    size_t QueuedCount() const { return queued_.size(); }

private:
    GUI_FloatingLayer() = default;
    std::vector<GUI_Tooltip*> queued_;
};
