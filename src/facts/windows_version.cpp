// The Windows version and the signed-on user: three buttons of the main window and
// the first section of the complete report.

#include <algorithm>

#include "app/form1.h"
#include "ui/msgbox.h"

namespace {

constexpr uint8_t kWorkstation = 1;  // VER_NT_WORKSTATION; servers and domain controllers differ

std::string windows10Name(const VersionRecord& r) {
    if (r.productType == kWorkstation) return r.buildNumber < 22000 ? "Windows 10" : "Windows 11";
    return r.buildNumber < 17763   ? "Windows Server 2016"
           : r.buildNumber < 20348 ? "Windows Server 2019"
           : r.buildNumber < 26100 ? "Windows Server 2022"
                                   : "Windows Server 2025";
}

// Versions since XP x64, where only the product type tells a workstation from a server.
std::string ntName(const VersionRecord& r) {
    struct Row {
        uint32_t major, minor;
        const char *workstation, *server;
    };
    static const Row rows[] = {
        {5, 2, "Windows XP Professional x64 Edition", "Windows Server 2003"},
        {6, 0, "Windows Vista", "Windows Server 2008"},
        {6, 1, "Windows 7", "Windows Server 2008 R2"},
        {6, 2, "Windows 8", "Windows Server 2012"},
        {6, 3, "Windows 8.1", "Windows Server 2012 R2"},
    };
    if (r.majorVersion == 10 && r.minorVersion == 0) return windows10Name(r);
    for (const Row& row : rows) {
        if (row.major == r.majorVersion && row.minor == r.minorVersion)
            return r.productType == kWorkstation ? row.workstation : row.server;
    }
    return "";
}

std::string versionName(const VersionRecord& r) {
    switch (r.platformId) {
        case 1:
            return r.minorVersion == 0 ? "Windows 95" : r.minorVersion == 10 ? "Windows 98" : "";
        case 2:
            if (r.majorVersion == 3) return "Windows NT 3.51";
            if (r.majorVersion == 4) return "Windows NT 4.0";
            if (r.majorVersion == 5 && r.minorVersion == 0) return "Windows 2000";
            if (r.majorVersion == 5 && r.minorVersion == 1) return "Windows XP";
            return ntName(r);
        default:
            return "Chyba";
    }
}

}  // namespace

std::string Form1::GetWindowsVersionName() {
    VersionRecord record;
    record.csdVersion.fill(' ');
    os.version.getVersionEx(record);
    std::string csd =
        os.ansi.toUtf8(std::string_view(record.csdVersion.data(), record.csdVersion.size()));
    return versionName(record) + " - " + csd.substr(0, csd.find('\0'));
}

void Form1::cmd_ver_win_Click() {
    MsgBox(os.dialogs, GetWindowsVersionName());
}

void Form1::cmd_Username_Click() {
    // 200 characters offered, 199 declared to the call.
    std::optional<std::string> name = os.user.getUserName(199);
    MsgBox(os.dialogs, name ? os.ansi.toUtf8(*name) : std::string());
}

void Form1::cmd_Logon_info_Click() {
    MsgBox(os.dialogs, "Computer Name: " + os.environment.get("COMPUTERNAME"));
    MsgBox(os.dialogs, "Logon Server: " + os.environment.get("LOGONSERVER"));
    MsgBox(os.dialogs, "User Name: " + os.environment.get("USERNAME"));
}

void Form1::LogOn_a_Win() {
    std::string server = "Logon Server: " + os.environment.get("LOGONSERVER");
    std::string computer = "Computer Name: " + os.environment.get("COMPUTERNAME");
    std::string user = "User Name: " + os.environment.get("USERNAME");
    std::string version = GetWindowsVersionName();
    appendReport(computer + "\r\n" + user + "\r\n" + server + "\r\n\r\nVerze Windows: " + version +
                 "\r\n\r\n");
    advanceStep();
}
