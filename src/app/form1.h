#pragma once
// The main window: the report box, the report file path, the hidden step and BIOS
// mode boxes, the buttons and the two contact links.

#include <cstdint>
#include <string>
#include <string_view>

#include "facts/line_end.h"
#include "forms/report_host.h"
#include "platform/platform.h"
#include "ui/window.h"

struct frm_IP_adress;
struct frm_BIOS;
struct frm_Procesor;

// The windows the complete report and "Info o BIOS" open.
struct SecondaryWindows {
    frm_IP_adress& ip_adress;
    frm_BIOS& bios;
    frm_Procesor& procesor;
};

extern const WindowLayout kForm1Layout;

// The maker's addresses, shown in the main window and opened by its link labels.
inline constexpr std::string_view kWebSite = "www.kavrona.cz";
inline constexpr std::string_view kEmail = "info@kavrona.cz";

struct Form1 : Window, ReportHost {
    Form1(Application& app, Platform& os, const SecondaryWindows& windows);

    Platform& os;
    SecondaryWindows windows;

    CommandButton cmd_Print_on_listbox{*this, "cmd_Print_on_listbox"};
    CommandButton cmd_Save{*this, "cmd_Save"};
    CommandButton cmd_Print{*this, "cmd_Print"};
    CommandButton cmd_End{*this, "cmd_End"};
    CommandButton Command1{*this, "Command1"};
    CommandButton cmd_ver_win{*this, "cmd_ver_win"};
    CommandButton cmd_Username{*this, "cmd_Username"};
    CommandButton cmd_Logon_info{*this, "cmd_Logon_info"};
    CommandButton Command2{*this, "Command2"};
    CommandButton cmd_Harddisk{*this, "cmd_Harddisk"};
    TextBox tb_Info{*this, "tb_Info"};
    TextBox tb_Txt_DIR{*this, "tb_Txt_DIR"};
    Label Label1{*this, "Label1"};
    CommandButton cmd_Show_Bios{*this, "cmd_Show_Bios"};
    TextBox tb_Bios_info{*this, "tb_Bios_info"};
    Label lb_www{*this, "lb_www"};
    Label lb_email{*this, "lb_email"};
    TextBox tb_Forms_show{*this, "tb_Forms_show"};

    std::string Konec_radku = kLineEnd;

    // Steps of the complete report: each gathers its fact, appends the section and
    // advances the step number.
    void LogOn_a_Win();
    void Pamet_size();
    void Info_o_HDD();

    void appendReport(std::string_view section) override;
    // The step number read as a number, plus one, written back. A step number that
    // is not a number stays as it is.
    void advanceStep() override;
    bool biosShownAlone() const override;
    std::string lineEnd() const override;
    void focusSave() override;
    bool reportOpen() const override;

  private:
    void Form_Load() override;

    void lb_email_Click();
    void lb_www_Click();
    void cmd_End_Click();
    void cmd_ver_win_Click();
    void cmd_Username_Click();
    void cmd_Logon_info_Click();
    void Command1_Click();
    void Command2_Click();
    void cmd_Harddisk_Click();
    void cmd_Show_Bios_Click();
    void cmd_Print_on_listbox_Click();
    void tb_Forms_show_Change();
    void cmd_Print_Click();
    void cmd_Save_Click();

    int32_t OpenByShell(const std::string& link);
};
