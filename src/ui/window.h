#pragma once
// A window of the program: one instance per window class. Loading creates its
// controls afresh from the layout; unloading destroys them but keeps the window's
// own variables.

#include <vector>

#include "ui/control.h"
#include "ui/layout.h"

struct Application;

struct Window {
    Window(Application& app, const WindowLayout& layout);
    Window(const Window&) = delete;
    Window& operator=(const Window&) = delete;
    virtual ~Window() = default;

    Application& app;
    const WindowLayout& layout;
    void* native = nullptr;  // the view's object for it while loaded

    bool loaded() const { return loaded_; }
    bool visible() const { return visible_; }  // asking never loads the window
    void load();                               // runs Form_Load when not yet loaded
    void show();                               // loads first, then shows and activates
    void hide();
    void unload();  // runs Form_Unload, then destroys the controls
    const std::vector<Control*>& controls() const { return controls_; }  // in tab order
    Control* focus() const { return focus_; }

  protected:
    virtual void Form_Load() {}
    virtual void Form_Activate() {}
    virtual void Form_Unload() {}

  private:
    friend struct Application;
    friend struct Control;
    void adopt(Control& control);

    std::vector<Control*> controls_;
    Control* focus_ = nullptr;
    bool loaded_ = false;
    bool visible_ = false;
};
