#include "facts/system_folders.h"

namespace {

constexpr size_t kPathBuffer = 256;

// A fresh buffer of spaces for each call: when the call writes nothing, the spaces
// are what comes back.
template <typename Call>
std::string folderFrom(Call call) {
    std::string buffer(kPathBuffer, ' ');
    call(buffer);
    return Module1::CutAtNull(buffer);
}

}  // namespace

namespace Module1 {

WindowsDirs GetWindowsDirs(Directories& folders) {
    WindowsDirs dirs;
    dirs.windows = folderFrom([&](std::string& b) { return folders.getWindowsDirectory(b); });
    dirs.temp = folderFrom([&](std::string& b) { return folders.getTempPath(b); });
    dirs.system = folderFrom([&](std::string& b) { return folders.getSystemDirectory(b); });
    return dirs;
}

std::vector<std::string> WindowsDirBoxes(const WindowsDirs& dirs) {
    return {dirs.windows, dirs.temp, dirs.system};
}

std::string CutAtNull(std::string_view text) {
    return std::string(text.substr(0, text.find('\0')));
}

}  // namespace Module1
