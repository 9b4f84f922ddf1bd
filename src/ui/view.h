#pragma once
// What shows the windows: the runtime tells its view what changed, and the view
// reports the user's doings back through the controls and windows themselves.

struct Control;
struct Window;

struct View {
    virtual ~View() = default;
    virtual void created(Window& window) = 0;    // loaded: make it and its controls, not yet shown
    virtual void destroyed(Window& window) = 0;  // unloaded
    virtual void shown(Window& window) = 0;      // visibility changed
    virtual void activated(Window& window) = 0;  // became the active window
    virtual void changed(
        Control& control) = 0;  // text, caption, items or selection set by the program
    virtual void focused(Control& control) = 0;
    virtual void ended() = 0;  // no window is loaded any more: the program ends
};

// For tests: the runtime's state is all there is.
struct HeadlessView : View {
    void created(Window&) override {}
    void destroyed(Window&) override {}
    void shown(Window&) override {}
    void activated(Window&) override {}
    void changed(Control&) override {}
    void focused(Control&) override {}
    void ended() override {}
};
