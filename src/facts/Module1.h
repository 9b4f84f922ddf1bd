#pragma once
// The Windows, temporary and system folders, for the "DIR pro Windows" button.

#include <string>
#include <string_view>

#include "platform/platform.h"

namespace Module1 {

std::string GetWindowsDir(Platform& os);
std::string GetTempDir(Platform& os);
std::string GetSystemDir(Platform& os);
// The text before its first zero character; all of it when there is none.
std::string CutAtNull(std::string_view text);
// One box per folder, in the order Windows, temporary, system.
void ShowWindowsDirs(Platform& os);

}  // namespace Module1
