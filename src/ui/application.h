#pragma once
// The windows of the running program: which are loaded, their order on the screen,
// the active one, and the end of the program when the last one unloads.

#include <vector>

#include "ui/view.h"

struct Window;

struct Application {
    explicit Application(View& view) : view(view) {}
    View& view;

    Window* active() const { return active_; }
    bool running() const { return !loaded_.empty(); }
    bool ended() const { return ended_; }
    // Makes a shown window the active one, running its Form_Activate when it was not.
    // The view calls it too when the user activates a window.
    void activate(Window& window);
    // Tells the view what the screen should show now: the hidden windows, then the
    // shown ones from the bottom up, then the active one. The view calls it once the
    // event that changed them is done.
    void present();

  private:
    friend struct Window;
    void loaded(Window& window);
    void shown(Window& window);   // now visible: on top
    void hidden(Window& window);  // no longer visible, or unloaded
    void unloaded(Window& window);
    void activateTopmost();
    void presentLater();

    std::vector<Window*> loaded_;
    std::vector<Window*> zOrder_;  // shown windows, topmost last
    Window* active_ = nullptr;
    bool ended_ = false;
    bool presentAsked_ = false;
};
