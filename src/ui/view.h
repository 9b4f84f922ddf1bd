#pragma once
// What shows the windows: the runtime tells its view what changed, and the view
// reports the user's doings back through the controls and windows themselves.

struct Application;
struct Control;
struct Window;

// Which windows show, and which is active, reaches the screen once the event that
// changed them is done: the runtime asks with presentLater(), the view calls
// Application::present() when the event is over, and present() tells the view the
// runtime's state window by window. A window shown and unloaded within one event never
// reaches the screen.
struct View {
    virtual ~View() = default;
    virtual void created(Window& window) = 0;    // loaded: make it and its controls, not yet shown
    virtual void destroyed(Window& window) = 0;  // unloaded
    virtual void presentLater(Application& app) = 0;  // call app.present() once the event is done
    virtual void presented(Window& window) = 0;       // show or hide it as window.visible() says
    virtual void activated(Window& window) = 0;  // make it the active window, after presented()
    virtual void changed(
        Control& control) = 0;  // text, caption, items or selection set by the program
    virtual void focused(Control& control) = 0;
    virtual void ended() = 0;  // no window is loaded any more: the program ends
};

// No screen: the runtime's state is all there is, and nothing is presented until the
// caller calls Application::present(). Tests use it, and so does the report written
// without a window.
struct HeadlessView : View {
    void created(Window&) override {}
    void destroyed(Window&) override {}
    void presentLater(Application&) override {}
    void presented(Window&) override {}
    void activated(Window&) override {}
    void changed(Control&) override {}
    void focused(Control&) override {}
    void ended() override {}
};
