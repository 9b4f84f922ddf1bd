#pragma once
// A font that is deleted when its handle goes.

#include <windows.h>

#include <memory>
#include <type_traits>

struct FontDeleter {
    void operator()(HFONT font) const { DeleteObject(font); }
};
using FontHandle = std::unique_ptr<std::remove_pointer_t<HFONT>, FontDeleter>;
