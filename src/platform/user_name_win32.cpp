#include <windows.h>

#include <vector>

#include "platform/code_page_win32.h"
#include "platform/user_name.h"

std::optional<std::string> Win32UserName::getUserName(uint32_t capacity) {
    std::vector<char> buffer(capacity + 1, '\0');
    DWORD size = capacity;
    if (!GetUserNameA(buffer.data(), &size)) return std::nullopt;
    return fromAnsi(buffer.data());
}
