#include "app/machine_report_win32.h"

#include <windows.h>
#include <winsock2.h>

#include <iphlpapi.h>

#include <cmath>
#include <cstdio>
#include <regex>

#include "platform/utf16_win32.h"

namespace {

constexpr char kPatternMark = '\x01';
const std::string K = "\r\n";

std::string pattern(const std::string& regex) {
    return kPatternMark + regex;
}

std::string escaped(const std::string& text) {
    static const std::regex special(R"([\^$\\.*+?()[\]{}|/])");
    return std::regex_replace(text, special, R"(\$&)");
}

std::string variable(const wchar_t* name) {
    wchar_t value[1024];
    DWORD n = GetEnvironmentVariableW(name, value, 1024);
    return n > 0 && n < 1024 ? narrow(std::wstring_view(value, n)) : std::string();
}

std::string servicePack() {
    OSVERSIONINFOW version{};
    version.dwOSVersionInfoSize = sizeof(version);
    GetVersionExW(&version);
    return narrow(version.szCSDVersion);
}

// Every IPv4 address of the adapters that GetAdaptersInfo lists too (loopback is
// not among them): the report names the first real one.
std::vector<std::string> addresses() {
    std::vector<std::string> found;
    ULONG size = 0;
    GetAdaptersAddresses(AF_INET, 0, nullptr, nullptr, &size);
    std::vector<unsigned char> buffer(size);
    auto* first = reinterpret_cast<IP_ADAPTER_ADDRESSES*>(buffer.data());
    if (size == 0 || GetAdaptersAddresses(AF_INET, 0, nullptr, first, &size) != NO_ERROR)
        return found;
    for (auto* a = first; a; a = a->Next) {
        if (a->IfType == IF_TYPE_SOFTWARE_LOOPBACK) continue;
        for (auto* u = a->FirstUnicastAddress; u; u = u->Next) {
            auto* in = reinterpret_cast<const sockaddr_in*>(u->Address.lpSockaddr);
            const unsigned char* b = reinterpret_cast<const unsigned char*>(&in->sin_addr);
            char text[16];
            std::snprintf(text, sizeof text, "%u.%u.%u.%u", b[0], b[1], b[2], b[3]);
            if (std::string(text) != "0.0.0.0") found.push_back(text);
        }
    }
    return found;
}

// The BIOS version lines, as the registry holds them; none on Wine.
std::string biosVersion() {
    wchar_t value[4096];
    DWORD size = sizeof(value), type = 0;
    if (RegGetValueW(HKEY_LOCAL_MACHINE, L"Hardware\\Description\\System", L"SystemBiosVersion",
                     RRF_RT_REG_SZ | RRF_RT_REG_MULTI_SZ, &type, value, &size) != ERROR_SUCCESS)
        return {};
    std::string lines;
    for (const wchar_t* s = value; *s; s += wcslen(s) + 1) {
        if (!lines.empty()) lines += K;
        lines += narrow(s);
        if (type == REG_SZ) break;
    }
    return lines;
}

std::string decimalSeparator() {
    wchar_t separator[8];
    int n = GetLocaleInfoEx(LOCALE_NAME_USER_DEFAULT, LOCALE_SDECIMAL, separator, 8);
    return n > 1 ? narrow(std::wstring_view(separator, n - 1)) : ".";
}

// A byte count as the report writes it: a ten-thousandth of it, then the amount in
// units of 1 024 000 or 1 048 576 000 bytes.
std::string spaceFigure(uint64_t bytes) {
    std::string text = std::to_string(bytes / 10000);
    if (uint64_t rest = bytes % 10000) {
        char digits[8];
        std::snprintf(digits, sizeof digits, "%04u", static_cast<unsigned>(rest));
        std::string fraction = digits;
        fraction.erase(fraction.find_last_not_of('0') + 1);
        text += decimalSeparator() + fraction;
    }
    uint64_t thousands = bytes / 1000, rest = bytes % 1000;
    if (rest > 500 || (rest == 500 && thousands % 2 == 1)) ++thousands;
    bool gigabytes = bytes > 1048576000;
    uint64_t amount = gigabytes ? thousands / 1048576 : thousands / 1024;
    return text + " ( " + std::to_string(amount) + (gigabytes ? " GB )" : " MB )");
}

std::string driveBlocks() {
    std::string blocks, previousSerial;
    for (char letter : std::string("ABCDEFGHIJKLMNOPQRSTUVWZ")) {
        std::wstring root = widen(std::string(1, letter) + ":\\");
        wchar_t label[MAX_PATH + 1];
        DWORD serialNumber = 0;
        if (!GetVolumeInformationW(root.c_str(), label, MAX_PATH + 1, &serialNumber, nullptr,
                                   nullptr, nullptr, 0))
            continue;
        char serial[10];
        std::snprintf(serial, sizeof serial, "%04X-%04X", static_cast<unsigned>(serialNumber >> 16),
                      static_cast<unsigned>(serialNumber & 0xFFFF));
        bool repeated = serial == previousSerial;
        previousSerial = serial;
        UINT type = GetDriveTypeW(root.c_str());
        if (repeated || type == DRIVE_REMOTE) continue;
        ULARGE_INTEGER total{};
        GetDiskFreeSpaceExW(root.c_str(), nullptr, &total, nullptr);
        std::string name = narrow(label);
        if (name.find_first_not_of(' ') == std::string::npos) name = "(no label)";
        blocks += K + K + "Statistika pro Disk: " + narrow(root) + K +
                  (type == DRIVE_FIXED ? "Typ: Pevný disk." : pattern("Typ: .*")) + K +
                  "Jmenovka: " + name + K + "Seriové číslo: " + serial + K +
                  "Celkové místo na svazku s FAT32: " + spaceFigure(total.QuadPart) + K +
                  pattern("Volné místo na svazku s FAT32:     [0-9]+(" +
                          escaped(decimalSeparator()) + "[0-9]{1,4})? \\( [0-9]+ [GM]B \\)") +
                  K;
    }
    return blocks;
}

std::string memory() {
    MEMORYSTATUSEX status{};
    status.dwLength = sizeof(status);
    GlobalMemoryStatusEx(&status);
    long long total = std::llround(static_cast<double>(status.ullTotalPhys) / 1043321.0);
    return K + "Celková paměť: " + std::to_string(total) + " MB" + K +
           pattern("Volná paměť:  [0-9]+ MB");
}

std::string networkAddress() {
    std::string choices;
    for (const std::string& a : addresses()) choices += (choices.empty() ? "" : "|") + escaped(a);
    return K + (choices.empty() ? "IP adresa: " : pattern("IP adresa: (" + choices + ")")) + K + K;
}

}  // namespace

std::vector<std::string> linesOf(const std::string& report) {
    std::vector<std::string> lines;
    size_t start = 0;
    for (size_t end; (end = report.find(K, start)) != std::string::npos; start = end + 2)
        lines.push_back(report.substr(start, end - start));
    lines.push_back(report.substr(start));
    return lines;
}

std::vector<ReportLine> expectedFiveSections() {
    std::string report = "Computer Name: " + variable(L"COMPUTERNAME") + K +
                         "User Name: " + variable(L"USERNAME") + K +
                         "Logon Server: " + variable(L"LOGONSERVER") + K + K +
                         pattern("Verze Windows: .* - " + escaped(servicePack())) + K + K;
    report += networkAddress();
    report += K + K + "BIOS: " + K + biosVersion() + K;
    report += memory();
    report += driveBlocks();
    std::vector<ReportLine> expected;
    for (const std::string& line : linesOf(report)) {
        bool isPattern = !line.empty() && line[0] == kPatternMark;
        expected.push_back({isPattern ? line.substr(1) : line, isPattern});
    }
    return expected;
}

std::string firstDifference(const std::vector<ReportLine>& expected,
                            const std::vector<std::string>& lines) {
    for (size_t i = 0; i < expected.size() && i < lines.size(); ++i) {
        const ReportLine& e = expected[i];
        bool same = e.pattern ? std::regex_match(lines[i], std::regex(e.text)) : e.text == lines[i];
        if (!same)
            return "line " + std::to_string(i + 1) + ": expected " + (e.pattern ? "/" : "\"") +
                   e.text + (e.pattern ? "/" : "\"") + ", got \"" + lines[i] + "\"";
    }
    if (expected.size() != lines.size())
        return std::to_string(lines.size()) + " lines where " + std::to_string(expected.size()) +
               " were expected";
    return {};
}
