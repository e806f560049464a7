// The main-screen map.
#include "gui/icons/MainScreenMap.h"

#include <algorithm>

#include "aids/InterfacePermissions.h"
#include "engine/GdiText.h"
#include "gui/GUI_FloatingLayer.h"
#include "gui/GuiInput.h"
#include "gui/icons/GUI_IconConnectors.h"
#include "politics/PolicyGroup.h"
#include "politics/PolicyManager.h"
#include "politics/VoterManager.h"
#include "politics/VoterType.h"
#include "simulation/Simulation.h"

namespace {

// Whether the icons stand, in order, for exactly these subjects.
template <typename Icon, typename Subject>
bool SameSubjects(const std::vector<std::unique_ptr<Icon>>& icons,
                  const std::vector<Subject*>& subjects) {
    if (icons.size() != subjects.size()) return false;
    for (size_t i = 0; i < icons.size(); ++i)
        if (!icons[i]->IsSubject(subjects[i])) return false;
    return true;
}

}  // namespace

MainScreenMap::MainScreenMap() {
    for (int i = 0; i < kGroupCount; ++i)
        groups_[size_t(i)] = std::make_unique<PolicyGroupGUI>(PolicyManager::Instance().Group(i));
}

MainScreenMap::~MainScreenMap() {
    Clear();
}

void MainScreenMap::Clear() {
    for (auto& group : groups_) group->Icons().Clear();
    bars_.clear();
    strips_.clear();
    grid_.Reset(metrics_);
}

bool MainScreenMap::SynchroniseStrips() {
    const std::vector<VoterType*>& types = VoterManager::Instance().VoterTypes();
    if (SameSubjects(strips_, types)) return false;
    // Voter groups change only with a new game: the strips start afresh.
    strips_.clear();
    grid_.Reset(metrics_);
    for (VoterType* type : types) strips_.push_back(std::make_unique<GUI_peopleStrip>(type, grid_));
    return true;
}

bool MainScreenMap::SynchroniseBars() {
    const std::vector<Simulation*>& values = SimulationManager::Instance().Values();
    if (SameSubjects(bars_, values)) return false;
    bars_.clear();
    const int count = int(values.size());
    for (int i = 0; i < count; ++i)
        bars_.push_back(std::make_unique<GUI_SimulationBars>(values[size_t(i)], i, count));
    return true;
}

void MainScreenMap::SetSurroundings(std::vector<Rect> panels, std::uint32_t seed) {
    const auto same = [](const Rect& a, const Rect& b) {
        return a.left == b.left && a.top == b.top && a.right == b.right && a.bottom == b.bottom;
    };
    const bool samePanels = panels.size() == panels_.size() &&
                            std::equal(panels.begin(), panels.end(), panels_.begin(), same);
    if (samePanels && seed == seed_) return;
    panels_ = std::move(panels);
    seed_ = seed;
    surroundingsChanged_ = true;
}

bool MainScreenMap::Synchronise(const MapMetrics& metrics) {
    // Icons of subjects that are gone are dropped before anything is laid
    // out, so layout never reads a deleted subject.
    const bool afresh = laidOut_ && (!(metrics == metrics_) || surroundingsChanged_);
    if (!laidOut_) grid_.Reset(metrics);
    metrics_ = metrics;
    GUI_IconBase::SetMetrics(metrics);
    laidOut_ = true;
    surroundingsChanged_ = false;
    bool changed = SynchroniseStrips();
    changed |= SynchroniseBars();
    std::array<bool, kGroupCount> regrouped{};
    for (int i = 0; i < kGroupCount; ++i) regrouped[size_t(i)] = groups_[size_t(i)]->Synchronise();
    const bool anyRegrouped =
        std::find(regrouped.begin(), regrouped.end(), true) != regrouped.end();
    if (afresh)
        RefreshLayout(metrics);
    else if (anyRegrouped)
        ArrangeGroups(regrouped);
    changed |= afresh || anyRegrouped;
    if (changed) RebuildConnectors();
    return changed;
}

MapObstacles MainScreenMap::Obstacles() const {
    std::vector<float> angles;
    for (const auto& group : groups_)
        if (group->Group()) angles.push_back(group->Group()->Angle());
    MapObstacles obstacles = MapOwnObstacles(metrics_, angles);
    obstacles.panels.insert(obstacles.panels.end(), panels_.begin(), panels_.end());
    return obstacles;
}

void MainScreenMap::ArrangeGroups(const std::array<bool, kGroupCount>& which) {
    IconPlacer placer(metrics_, Obstacles());
    for (int i = 0; i < kGroupCount; ++i)
        if (!which[size_t(i)]) groups_[size_t(i)]->Icons().Occupy(placer);
    for (int i = 0; i < kGroupCount; ++i)
        if (which[size_t(i)] && groups_[size_t(i)]->Group())
            groups_[size_t(i)]->Arrange(metrics_, placer, seed_);
}

void MainScreenMap::RefreshLayout(const MapMetrics& metrics) {
    GUI_IconBase::SetMetrics(metrics);
    metrics_ = metrics;
    for (GUI_IconBase* icon : GUI_IconBase::AllIcons()) icon->ApplyScale();
    grid_.Reset(metrics_);
    for (auto& strip : strips_) strip->Place(grid_);
    const int count = int(bars_.size());
    for (int i = 0; i < count; ++i) bars_[size_t(i)]->Place(i, count);
    std::array<bool, kGroupCount> all;
    all.fill(true);
    ArrangeGroups(all);
}

void MainScreenMap::RebuildConnectors() {
    for (GUI_IconBase* icon : GUI_IconBase::AllIcons())
        if (icon->Subject()) icon->RebuildConnectors();
}

void MainScreenMap::UpdateMapIcons() {
    GUI_IconBase::BeginHighlightFrame();
    const GuiInput& input = GuiInput::Instance();
    // Only the icon on top takes the hover, the one a click would open.
    GUI_IconBase::SetPointed(
        input.mouseOverWindow ? nullptr : GUI_IconBase::TopmostAt(input.mouseX, input.mouseY));
    const std::vector<GUI_IconBase*>& icons = GUI_IconBase::AllIcons();
    for (GUI_IconBase* icon : icons) icon->Unhighlight();
    for (GUI_IconBase* icon : icons) icon->Refresh();
    if (InterfacePermissions::Instance().IsEnabled(InterfacePermissions::kHoverHighlight))
        for (GUI_IconConnectors* connectors : GUI_IconConnectors::All())
            if (connectors->IsVisible()) connectors->Draw();
    for (GUI_IconBase* icon : icons)
        if (icon->IsKindShown()) icon->Draw();
    GdiText::Instance().FlushTextQueue();
    // The names belong to the map: an open window covers them, so they are
    // not left to the end of the frame, above every window.
    for (GUI_IconBase* icon : icons)
        if (icon->IsKindShown()) icon->DrawIconTooltip();
    GUI_FloatingLayer::Instance().DrawMapLabels();
}

void MainScreenMap::DrawGroupLabels(int turnNumber) {
    for (auto& group : groups_)
        if (group->Group()) group->DrawLabel(metrics_, turnNumber);
}

bool MainScreenMap::OnClick(float x, float y) {
    // A copy: opening a window may add or remove icons.
    const std::vector<GUI_IconBase*> icons = GUI_IconBase::AllIcons();
    for (auto it = icons.rbegin(); it != icons.rend(); ++it)
        if ((*it)->OnClick(x, y)) return true;
    return false;
}
