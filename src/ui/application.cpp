#include "ui/application.h"

#include <algorithm>

#include "ui/window.h"

void Application::activate(Window& window) {
    if (!window.loaded() || !window.visible() || active_ == &window) return;
    active_ = &window;
    shown(window);
    window.Form_Activate();
}

void Application::present() {
    presentAsked_ = false;
    for (Window* w : loaded_)
        if (!w->visible()) view.presented(*w);
    for (Window* w : zOrder_) view.presented(*w);
    if (active_) view.activated(*active_);
}

void Application::presentLater() {
    if (presentAsked_) return;
    presentAsked_ = true;
    view.presentLater(*this);
}

void Application::loaded(Window& window) {
    loaded_.push_back(&window);
    ended_ = false;
}

void Application::shown(Window& window) {
    std::erase(zOrder_, &window);
    zOrder_.push_back(&window);
    presentLater();
}

void Application::hidden(Window& window) {
    std::erase(zOrder_, &window);
    presentLater();
    if (active_ != &window) return;
    active_ = nullptr;
    activateTopmost();
}

void Application::unloaded(Window& window) {
    std::erase(loaded_, &window);
    hidden(window);
    if (loaded_.empty()) {
        ended_ = true;
        view.ended();
    }
}

void Application::activateTopmost() {
    if (!zOrder_.empty()) activate(*zOrder_.back());
}
