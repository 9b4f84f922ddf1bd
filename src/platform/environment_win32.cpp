#include <windows.h>

#include "platform/environment.h"
#include "platform/utf16_win32.h"

std::string Win32Environment::get(const std::string& name) {
    std::wstring key = widen(name);
    DWORD n = GetEnvironmentVariableW(key.c_str(), nullptr, 0);
    if (n == 0) return {};
    std::wstring value(n, L'\0');
    n = GetEnvironmentVariableW(key.c_str(), value.data(), n);
    value.resize(n);
    return narrow(value);
}
