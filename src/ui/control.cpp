#include "ui/control.h"

#include <cstdlib>

#include "ui/application.h"
#include "ui/window.h"

namespace {

// A control that its window's layout does not have, or has as another kind, is a
// build mistake.
const ControlRow& rowNamed(const WindowLayout& layout, std::string_view name, ControlKind kind) {
    for (const ControlRow& row : layout.controls)
        if (row.name == name && row.kind == kind) return row;
    std::abort();
}

}  // namespace

Control::Control(Window& owner, std::string_view name, ControlKind kind)
    : window(owner), row(rowNamed(owner.layout, name, kind)) {
    owner.adopt(*this);
}

bool Control::hasFocus() const {
    return window.loaded() && window.focus() == this && window.app.active() == &window;
}

void Control::setFocus() {
    if (!window.loaded() || !window.visible() || !visible()) return;
    window.app.activate(window);
    window.focus_ = this;
    window.app.view.focused(*this);
}

void Control::notifyView() {
    if (window.loaded()) window.app.view.changed(*this);
}

void TextBox::setText(std::string text) {
    // The controls of an unloaded window are gone: there is nothing to write to.
    if (!window.loaded() || text == text_) return;
    text_ = std::move(text);
    notifyView();
    if (onChange) onChange();
}

void Label::setCaption(std::string caption) {
    if (!window.loaded() || caption == caption_) return;
    caption_ = std::move(caption);
    notifyView();
}

void ListBox::clear() {
    if (!window.loaded()) return;
    items_.clear();
    index_ = -1;
    notifyView();
}

void ListBox::addItem(std::string item) {
    if (!window.loaded()) return;
    items_.push_back(std::move(item));
    notifyView();
}

void ListBox::setListIndex(int index) {
    if (!window.loaded() || index < -1 || index >= static_cast<int>(items_.size())) return;
    index_ = index;
    notifyView();
    if (index >= 0 && onClick) onClick();
}
