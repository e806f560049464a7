// The layer above every window: the tooltips queued during the frame, drawn
// once at its end so no window can cover them.
#pragma once

#include <cstddef>
#include <optional>
#include <vector>

#include "engine/Sprite.h"

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
    // Where the last DrawAll showed its tooltips, shadows included.
    const std::vector<Rect>& Shown() const { return shown_; }

private:
    GUI_FloatingLayer() = default;
    std::vector<GUI_Tooltip*> queued_;
    std::vector<Rect> shown_;
};

// The place nearest `wanted` (its size kept) that lies on the screen and
// clear of every rectangle `taken`; none when the screen has no such room.
std::optional<Rect> FreeTooltipPlace(const Rect& wanted, const std::vector<Rect>& taken,
                                     int screenWidth, int screenHeight);
