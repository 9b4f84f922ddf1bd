#include "app/form1.h"

#include "app/step_number.h"
#include "facts/line_end.h"

namespace {

const std::string kEmailLink = "mailto:" + std::string(kEmail);
const std::string kWebLink = "http://" + std::string(kWebSite);

}  // namespace

Form1::Form1(Application& app, Platform& os, const SecondaryWindows& windows)
    : Window(app, kForm1Layout), os(os), windows(windows) {
    lb_email.onClick = [this] { lb_email_Click(); };
    lb_www.onClick = [this] { lb_www_Click(); };
    cmd_End.onClick = [this] { cmd_End_Click(); };
    cmd_ver_win.onClick = [this] { cmd_ver_win_Click(); };
    cmd_Username.onClick = [this] { cmd_Username_Click(); };
    cmd_Logon_info.onClick = [this] { cmd_Logon_info_Click(); };
    cmd_Print_on_listbox.onClick = [this] { cmd_Print_on_listbox_Click(); };
    tb_Forms_show.onChange = [this] { tb_Forms_show_Change(); };
    Command1.onClick = [this] { Command1_Click(); };
    Command2.onClick = [this] { Command2_Click(); };
    cmd_Print.onClick = [this] { cmd_Print_Click(); };
    cmd_Save.onClick = [this] { cmd_Save_Click(); };
    cmd_Harddisk.onClick = [this] { cmd_Harddisk_Click(); };
    cmd_Show_Bios.onClick = [this] { cmd_Show_Bios_Click(); };
}

void Form1::Form_Load() {
    tb_Info.setText("");
    tb_Txt_DIR.setText(os.folder.path() + "\\Kavrona.txt");
    Konec_radku = kLineEnd;
}

void Form1::appendReport(std::string_view section) {
    tb_Info.setText(tb_Info.text() + std::string(section));
}

void Form1::advanceStep() {
    if (std::optional<std::string> next = nextStep(tb_Forms_show.text()))
        tb_Forms_show.setText(*next);
}

// Only "Info o BIOS" sets the flag to exactly this; the report's start sets "Ne".
bool Form1::biosShownAlone() const {
    return tb_Bios_info.text() == "Ano";
}

std::string Form1::lineEnd() const {
    return Konec_radku;
}

void Form1::focusSave() {
    cmd_Save.setFocus();
}

bool Form1::reportOpen() const {
    return loaded();
}

int32_t Form1::OpenByShell(const std::string& link) {
    return os.shell.open(link);
}

// A link the shell cannot open is ignored: there is nothing more the user could do.
void Form1::lb_email_Click() {
    OpenByShell(kEmailLink);
}

void Form1::lb_www_Click() {
    OpenByShell(kWebLink);
}

void Form1::cmd_End_Click() {
    unload();
}
