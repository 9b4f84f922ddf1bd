// The Windows version and the signed-on user: three buttons of the main window and
// the first section of the complete report.

#include <algorithm>

#include "app/form1.h"
#include "ui/msgbox.h"

namespace {

std::string versionName(const VersionRecord& r) {
    switch (r.platformId) {
        case 1:
            return r.minorVersion == 0 ? "Windows 95" : r.minorVersion == 10 ? "Windows 98" : "";
        case 2:
            if (r.majorVersion == 3) return "Windows NT 3.51";
            if (r.majorVersion == 4) return "Windows NT 4.0";
            if (r.majorVersion == 5) {
                return r.minorVersion == 0   ? "Windows 2000"
                       : r.minorVersion == 1 ? "Windows XP"
                                             : "";
            }
            return "";
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
