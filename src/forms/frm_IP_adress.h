#pragma once
// The network address window: a step of the complete report that appends the first
// adapter's address and closes itself when it comes up.

#include "forms/report_host.h"
#include "platform/network_adapters.h"
#include "ui/window.h"

extern const WindowLayout kIpAdressLayout;

struct frm_IP_adress : Window {
    frm_IP_adress(Application& app, ReportHost& report, NetworkAdapters& network);

    TextBox tb_IP_adr{*this, "tb_IP_adr"};

  private:
    ReportHost& report;
    NetworkAdapters& network;

    void Form_Load() override;
    void Form_Activate() override;
};
