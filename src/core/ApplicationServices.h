// What the layers above the core (engine, sound, GUI, game records) plug into
// the application's start-up, frame and shutdown. The core keeps the order;
// each default does nothing, which is exactly a headless run without them.
#pragma once

#include <memory>

class Screen;

class ApplicationServices {
public:
    virtual ~ApplicationServices() = default;

    // Start-up, in the core's order: input devices, screen configuration and
    // the renderer (false when they cannot start); then options, textures,
    // fonts, manifesto, click sound, skins and style sheets; then, after the
    // first screen is set, music and achievements.
    virtual bool StartDevices() { return true; }
    virtual void StartContent() {}
    virtual void StartMusicAndRecords() {}

    // The screen for a canonical id, created once and kept by the core;
    // nothing means a blank screen (no window to show it on).
    virtual std::unique_ptr<Screen> CreateScreen(int /*id*/) { return nullptr; }

    // Takes the waiting window events and hands them to the application;
    // true when the program was asked to quit.
    virtual bool PumpEvents() { return false; }
    virtual void PollInput() {}
    // Around the current screen's frame: updating windows and beginning the
    // scene; then the floating layer, queued text, pointer, end and flip.
    virtual void BeginFrame() {}
    virtual void EndFrame() {}
    // Once a frame, after drawing; the windowed build also yields the CPU here.
    virtual void MusicTick() {}

    // Focus gained (true) or lost: restore surfaces and restart the music, or
    // stop it.
    virtual void OnActivation(bool /*active*/) {}
    // True when a modal dialog took the click on the main game screen.
    virtual bool ModalDialogTakesClick(int /*x*/, int /*y*/) { return false; }
    // Writes the flipped windowed setting and releases the renderer before
    // start-up runs again.
    virtual void PrepareWindowedToggle() {}
    // Saves what start-up would reload and releases the renderer, so start-up
    // can run again with a new configured size.
    virtual void PrepareDisplayRestart() {}

    // Shutdown, in the core's order.
    virtual void SaveRecords() {}
    virtual void ReleaseWindows() {}
    virtual void ReleaseGameState() {}
    virtual void ReleaseDevices() {}
};
