// The end-of-frame tooltip overlay.
#include "gui/GUI_FloatingLayer.h"

#include <algorithm>

#include "engine/D3DEngine.h"
#include "engine/GdiText.h"
#include "gui/GUI_Tooltip.h"

GUI_FloatingLayer& GUI_FloatingLayer::Instance() {
    static GUI_FloatingLayer layer;
    return layer;
}

void GUI_FloatingLayer::Queue(GUI_Tooltip* tooltip) {
    if (std::find(queued_.begin(), queued_.end(), tooltip) == queued_.end())
        queued_.push_back(tooltip);
}

void GUI_FloatingLayer::Forget(const GUI_Tooltip* tooltip) {
    queued_.erase(std::remove(queued_.begin(), queued_.end(), tooltip), queued_.end());
}

void GUI_FloatingLayer::DrawAll() {
    D3DEngine& engine = D3DEngine::Instance();
    // Point sampling keeps the small text crisp.
    engine.SetPointFiltering();
    const std::vector<GUI_Tooltip*> queued = std::move(queued_);
    queued_.clear();
    for (GUI_Tooltip* tooltip : queued) tooltip->DrawQueued();
    GdiText::Instance().FlushTextQueue();
    engine.SetLinearFiltering();
}
