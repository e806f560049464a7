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
    // The map's name labels belong under the windows, so they are drawn with
    // the map; they still keep clear of one another and of the tooltips the
    // end of the frame places after them.
    void QueueMapLabel(GUI_Tooltip* tooltip);
    void DrawMapLabels();
    // Draws and fades every queued tooltip, then empties the queue.
    void DrawAll();
    size_t QueuedCount() const { return queued_.size(); }
    // Where the last DrawAll showed its tooltips, shadows included.
    const std::vector<Rect>& Shown() const { return shown_; }

private:
    GUI_FloatingLayer() = default;
    // Places each tooltip clear of those already shown this frame and draws it.
    void Place(std::vector<GUI_Tooltip*> tooltips);

    std::vector<GUI_Tooltip*> queued_;
    std::vector<GUI_Tooltip*> mapLabels_;
    std::vector<Rect> shown_;
    std::vector<Rect> frameShown_;
    bool frameOpen_ = false;
};

// The place nearest `wanted` (its size kept) that lies on the screen and
// clear of every rectangle `taken`; none when the screen has no such room.
std::optional<Rect> FreeTooltipPlace(const Rect& wanted, const std::vector<Rect>& taken,
                                     int screenWidth, int screenHeight);
