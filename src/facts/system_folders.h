#pragma once
// The Windows, temporary and system folders, for the "DIR pro Windows" button.

#include <string>
#include <string_view>
#include <vector>

#include "platform/directories.h"

namespace Module1 {

struct WindowsDirs {
    std::string windows, temp, system;  // UTF-8
};

WindowsDirs GetWindowsDirs(Directories& folders);
// One box per folder, in the order Windows, temporary, system.
std::vector<std::string> WindowsDirBoxes(const WindowsDirs& dirs);
// The text before its first zero character; all of it when there is none.
std::string CutAtNull(std::string_view text);

}  // namespace Module1
