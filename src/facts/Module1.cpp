#include "facts/Module1.h"

#include "app/form1.h"
#include "ui/msgbox.h"

namespace {

constexpr size_t kPathBuffer = 256;

// A fresh buffer of spaces for each call: when the call writes nothing, the spaces
// are what comes back.
template <typename Call>
std::string folderFrom(Platform& os, Call call) {
    std::string buffer(kPathBuffer, ' ');
    call(std::span<char>(buffer));
    return Module1::CutAtNull(os.ansi.toUtf8(buffer));
}

}  // namespace

namespace Module1 {

std::string GetWindowsDir(Platform& os) {
    return folderFrom(os,
                      [&](std::span<char> b) { return os.systemFolders.getWindowsDirectory(b); });
}

std::string GetTempDir(Platform& os) {
    return folderFrom(os, [&](std::span<char> b) { return os.systemFolders.getTempPath(b); });
}

std::string GetSystemDir(Platform& os) {
    return folderFrom(os,
                      [&](std::span<char> b) { return os.systemFolders.getSystemDirectory(b); });
}

std::string CutAtNull(std::string_view text) {
    return std::string(text.substr(0, text.find('\0')));
}

void ShowWindowsDirs(Platform& os) {
    MsgBox(os.dialogs, GetWindowsDir(os));
    MsgBox(os.dialogs, GetTempDir(os));
    MsgBox(os.dialogs, GetSystemDir(os));
}

}  // namespace Module1

void Form1::Command2_Click() {
    Module1::ShowWindowsDirs(os);
}
