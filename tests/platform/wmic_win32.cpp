#include "platform/wmic_win32.h"

#include <cstdio>
#include <cstring>
#include <cwctype>
#include <sstream>

#include "platform/utf16_win32.h"

std::optional<std::vector<std::string>> wmicCpu(std::wstring_view property) {
    std::wstring command = L"wmic cpu get " + std::wstring(property) + L" 2>NUL";
    FILE* wmic = _wpopen(command.c_str(), L"rb");
    if (!wmic) return std::nullopt;
    std::string bytes;
    char buffer[4096];
    for (size_t n; (n = std::fread(buffer, 1, sizeof buffer, wmic)) > 0;) bytes.append(buffer, n);
    if (_pclose(wmic) != 0) return std::nullopt;

    // Redirected, wmic writes UTF-16 with a byte-order mark.
    std::wstring wide(bytes.size() / 2, L'\0');
    std::memcpy(wide.data(), bytes.data(), wide.size() * 2);
    std::wistringstream lines(wide.substr(!wide.empty() && wide[0] == 0xFEFF ? 1 : 0));
    std::vector<std::string> values;
    std::wstring line;
    for (bool header = true; std::getline(lines, line); header = false) {
        while (!line.empty() && std::iswspace(line.back())) line.pop_back();
        if (!header && !line.empty()) values.push_back(narrow(line));
    }
    return values;
}
