#include "ui/window.h"

#include <algorithm>

#include "ui/application.h"

Window::Window(Application& app, const WindowLayout& layout) : app(app), layout(layout) {}

void Window::adopt(Control& control) {
    auto byTab = [](const Control* a, const Control* b) { return &a->row < &b->row; };
    controls_.insert(std::upper_bound(controls_.begin(), controls_.end(), &control, byTab),
                     &control);
}

void Window::load() {
    if (loaded_) return;
    loaded_ = true;
    focus_ = nullptr;
    for (Control* c : controls_) {
        c->reset();
        if (!focus_ && c->visible() && c->row.kind != ControlKind::Label) focus_ = c;
    }
    app.view.created(*this);
    app.loaded(*this);
    Form_Load();
}

void Window::show() {
    load();
    if (!loaded_) return;  // its Form_Load unloaded it again
    visible_ = true;
    app.shown(*this);
    app.activate(*this);
}

void Window::hide() {
    if (!visible_) return;
    visible_ = false;
    app.hidden(*this);
}

void Window::unload() {
    if (!loaded_) return;
    Form_Unload();
    if (!loaded_) return;
    loaded_ = false;
    visible_ = false;
    focus_ = nullptr;
    app.view.destroyed(*this);
    app.unloaded(*this);
}
