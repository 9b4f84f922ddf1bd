#pragma once
// The network address window: a step of the complete report that appends the first
// adapter's address and closes itself when it comes up.

#include "app/form1.h"

extern const WindowLayout kIpAdressLayout;

struct frm_IP_adress : Window {
    frm_IP_adress(Application& app, Form1& form1, NetworkAdapters& network, CodePage& ansi);

    TextBox tb_IP_adr{*this, "tb_IP_adr"};

  private:
    Form1& form1;
    NetworkAdapters& network;
    CodePage& ansi;

    void Form_Load() override;
    void Form_Activate() override;
};
