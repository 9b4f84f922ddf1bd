// The main window's single-fact buttons: each gathers its fact and shows its boxes,
// and none touches the report.

#include "app/form1.h"
#include "facts/drives.h"
#include "facts/processor_type.h"
#include "facts/system_folders.h"
#include "facts/user_logon.h"
#include "facts/windows_version.h"
#include "forms/frm_BIOS.h"
#include "forms/msgbox.h"

void Form1::cmd_ver_win_Click() {
    MsgBox(os.dialogs, GetWindowsVersionName(gatherWindowsVersion(os.version)));
}

void Form1::cmd_Username_Click() {
    MsgBox(os.dialogs, gatherUserName(os.user));
}

void Form1::cmd_Logon_info_Click() {
    for (const std::string& box : logonBoxes(gatherLogon(os.environment))) MsgBox(os.dialogs, box);
}

void Form1::Command1_Click() {
    MsgBox(os.dialogs, ProcessorTypeText(GetProcessorType(os.system)));
}

void Form1::Command2_Click() {
    for (const std::string& box : Module1::WindowsDirBoxes(Module1::GetWindowsDirs(os.directories)))
        MsgBox(os.dialogs, box);
}

void Form1::cmd_Harddisk_Click() {
    for (const DriveRoot& drive : gatherDriveRoots(os.volumes))
        MsgBox(os.dialogs, driveRootBox(drive));
}

// The BIOS window shows the version in a box instead of writing the report section.
void Form1::cmd_Show_Bios_Click() {
    tb_Bios_info.setText("Ano");
    windows.bios.show();
}
