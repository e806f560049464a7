// Every icon of the main-screen map: a button that stands for one neuron of
// the simulation (a policy, a situation, a voter group or a value), fades
// while another icon is highlighted, and shows the effects that link it to
// the other icons when the pointer rests on it.
#pragma once

#include <cstdint>
#include <memory>
#include <vector>

#include "gui/GUI_Button.h"
#include "gui/icons/IconPlacement.h"

class GUI_IconConnectors;
class Neuron;

class GUI_IconBase : public GUI_Button {
public:
    // `size` is the icon's side at an interface scale of 1.
    explicit GUI_IconBase(float size);
    ~GUI_IconBase() override;

    // The subject must be given (an assertion otherwise); its display name
    // becomes the tooltip and its neuron leads connectors to this icon.
    void SetSubject(Neuron* subject);
    Neuron* Subject() const { return subject_; }
    // The subject's construction serial: tells a live subject from a new one
    // that happens to reuse the address of a deleted one.
    std::uint64_t SubjectSerial() const { return subjectSerial_; }
    bool IsSubject(const Neuron* neuron) const;

    // Hover test and per-kind bookkeeping, once a frame before drawing.
    virtual void Refresh() = 0;
    // Hands the tooltip (the name label) to the map's label layer: the
    // windows drawn after it cover it like the icon itself.
    virtual void DrawIconTooltip();
    virtual void Move(float dx, float dy);
    virtual void ArmTooltip();
    // The icon's square, of its base size (a pulse only changes how large
    // it is drawn), centred on the point; the tooltip under it.
    virtual void SetCentre(float x, float y);
    virtual void Highlight();
    virtual void Unhighlight();
    // Icons that print a whole name on themselves (their display name or
    // their short label) need no tooltip when a neighbour's lines light
    // them up.
    virtual bool ShowsWholeName() const { return false; }

    // Whether the point lies on what the icon shows of itself (a disc for
    // the round kinds); the pointer and clicks both go by it.
    virtual bool HitTest(float x, float y) const { return Contains(x, y); }
    // The room the icon takes on the map when it is placed.
    virtual IconFootprint Footprint() const;

    // What a click on the map does with this icon: true when it took it.
    // A hidden kind takes no clicks.
    bool OnClick(float x, float y) override;
    // The interface permissions' show flag of the icon's kind; none (-1)
    // means always shown.
    virtual int ShowFlag() const { return -1; }
    // Hidden icons are neither drawn nor clicked.
    bool IsKindShown() const;

    void RebuildConnectors();
    GUI_IconConnectors& Connectors() { return *connectors_; }
    // Lights the lines to and from this icon (after the pointer rested).
    void ShowConnectors();

    float Alpha() const { return alpha_; }
    void SetAlpha(float alpha) { alpha_ = alpha; }
    bool IsHighlighted() const { return highlighted_; }
    // Sizes the icon for the current metrics (after the screen changed).
    void ApplyScale();
    float Size() const { return size_; }
    float BaseSize() const { return baseSize_; }
    MapPoint Centre() const;

    // Every icon in creation order, and the icon of a neuron.
    static const std::vector<GUI_IconBase*>& AllIcons();
    static GUI_IconBase* IconFor(const Neuron* neuron);
    // The shown icon drawn last (so on top) that the point hits.
    static GUI_IconBase* TopmostAt(float x, float y);
    // The icon the pointer is on this frame, the only one that takes the
    // hover; the map sets it before the hover tests.
    static void SetPointed(const GUI_IconBase* icon);

    // The program-wide fade: step 1 of every map frame.
    static void BeginHighlightFrame();
    static int HighlightCounter();
    static bool NoHighlight();
    // As at program start: nothing highlighted for a long time.
    static void ResetHighlight(int counter = kHighlightStart);

    // The screen the icons are sized for; the map sets it.
    static void SetMetrics(const MapMetrics& metrics);
    static const MapMetrics& Metrics();

protected:
    // The shared hover test: shown kind, pointer inside, no window under it.
    bool HoverTest(int showFlag);
    // The alpha a kind draws with: full after a fade has ended, faint while
    // the kind is hidden.
    float DrawAlpha(int showFlag) const;

    Neuron* subject_ = nullptr;
    std::uint64_t subjectSerial_ = 0;
    float alpha_ = 1.0f;
    bool highlighted_ = false;
    std::unique_ptr<GUI_IconConnectors> connectors_;
    float pulseSpeed_ = 0.0f;
    float pulsePhase_ = 0.0f;
    float unscaledSize_;
    float size_;
    float baseSize_;
};
