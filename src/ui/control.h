#pragma once
// The controls of a window. Each is a member of its window, named as in the layout;
// events are callbacks, empty until the window sets them.

#include <functional>
#include <string>
#include <vector>

#include "ui/layout.h"

struct Window;

struct Control {
    // The layout's row named `name` must be of `kind`: a member that disagrees with
    // its row ends the program at construction, before any window is drawn wrong.
    Control(Window& owner, std::string_view name, ControlKind kind);
    Control(const Control&) = delete;
    Control& operator=(const Control&) = delete;
    virtual ~Control() = default;

    Window& window;
    const ControlRow& row;
    void* native = nullptr;  // the view's object for it while the window is loaded

    bool visible() const { return (row.style & kHidden) == 0; }
    bool hasFocus() const;
    // Activates the window and moves the keyboard focus here. Does nothing while the
    // window is not loaded or not shown, where there is nothing to focus.
    void setFocus();
    virtual void reset() = 0;  // back to the layout's initial state, when the window loads

  protected:
    void notifyView();
};

struct TextBox : Control {
    TextBox(Window& owner, std::string_view name) : Control(owner, name, ControlKind::TextBox) {}
    const std::string& text() const { return text_; }
    // A change runs onChange inside this call, before it returns; writing the same
    // text again changes nothing and runs nothing.
    void setText(std::string text);
    std::function<void()> onChange;
    void reset() override { text_ = std::string(row.text); }

  private:
    std::string text_;
};

struct CommandButton : Control {
    CommandButton(Window& owner, std::string_view name)
        : Control(owner, name, ControlKind::CommandButton) {}
    std::string_view caption() const { return row.text; }
    std::function<void()> onClick;
    void click() {
        if (onClick) onClick();
    }
    void reset() override {}
};

struct Label : Control {
    Label(Window& owner, std::string_view name) : Control(owner, name, ControlKind::Label) {}
    const std::string& caption() const { return caption_; }
    void setCaption(std::string caption);
    std::function<void()> onClick;
    void click() {
        if (onClick) onClick();
    }
    void reset() override { caption_ = std::string(row.text); }

  private:
    std::string caption_;
};

struct ListBox : Control {
    ListBox(Window& owner, std::string_view name) : Control(owner, name, ControlKind::ListBox) {}
    const std::vector<std::string>& items() const { return items_; }
    int listIndex() const { return index_; }  // -1 when nothing is selected
    void clear();
    void addItem(std::string item);
    // Selecting runs onClick, whether the user or the program selected.
    void setListIndex(int index);
    std::function<void()> onClick;
    void reset() override {
        items_.clear();
        index_ = -1;
    }

  private:
    std::vector<std::string> items_;
    int index_ = -1;
};
