// The complete report: six steps chained through the hidden step box. Each step
// ends by writing the next number, and that write runs the next step at once, so
// steps 2 to 6 run nested inside the start's write of "1". Steps 2, 3 and 6 are
// the secondary windows, which append their sections as they load.

#include "app/form1.h"
#include "facts/drives.h"
#include "facts/memory.h"
#include "facts/user_logon.h"
#include "facts/windows_version.h"
#include "forms/frm_BIOS.h"
#include "forms/frm_IP_adress.h"
#include "forms/frm_Procesor.h"

void Form1::cmd_Print_on_listbox_Click() {
    tb_Bios_info.setText("Ne");
    tb_Info.setText("");
    tb_Forms_show.setText("1");
    if (!windows.procesor.visible()) cmd_Save.setFocus();
}

void Form1::tb_Forms_show_Change() {
    // Only these exact texts start a step: " 1", "01" or "1.0" start nothing.
    const std::string step = tb_Forms_show.text();
    if (step == "1") {
        LogOn_a_Win();
    } else if (step == "2") {
        windows.ip_adress.show();
    } else if (step == "3") {
        windows.bios.show();
    } else if (step == "4") {
        Pamet_size();
    } else if (step == "5") {
        Info_o_HDD();
    } else if (step == "6") {
        windows.procesor.show();
    }
}

void Form1::LogOn_a_Win() {
    Logon logon = gatherLogon(os.environment);
    appendReport(logonSection(logon, GetWindowsVersionName(gatherWindowsVersion(os.version))));
    advanceStep();
}

void Form1::Pamet_size() {
    appendReport(memorySection(gatherMemory(os.memory)));
    advanceStep();
}

void Form1::Info_o_HDD() {
    appendReport(drivesSection(gatherDrives(os.volumes, os.regional)));
    advanceStep();
}
