#include "facts/system_folders.h"

namespace {

constexpr size_t kPathBuffer = 256;

// A fresh buffer of spaces for each call: when the call writes nothing, the spaces
// are what comes back.
template <typename Call>
std::string folderFrom(CodePage& ansi, Call call) {
    std::string buffer(kPathBuffer, ' ');
    call(std::span<char>(buffer));
    return Module1::CutAtNull(ansi.toUtf8(buffer));
}

}  // namespace

namespace Module1 {

WindowsDirs GetWindowsDirs(Directories& folders, CodePage& ansi) {
    WindowsDirs dirs;
    dirs.windows =
        folderFrom(ansi, [&](std::span<char> b) { return folders.getWindowsDirectory(b); });
    dirs.temp = folderFrom(ansi, [&](std::span<char> b) { return folders.getTempPath(b); });
    dirs.system =
        folderFrom(ansi, [&](std::span<char> b) { return folders.getSystemDirectory(b); });
    return dirs;
}

std::vector<std::string> WindowsDirBoxes(const WindowsDirs& dirs) {
    return {dirs.windows, dirs.temp, dirs.system};
}

std::string CutAtNull(std::string_view text) {
    return std::string(text.substr(0, text.find('\0')));
}

}  // namespace Module1
