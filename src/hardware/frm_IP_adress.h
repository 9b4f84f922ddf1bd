#pragma once
// The network address window: a step of the complete report that appends the first
// adapter's address and closes itself when it comes up.

#include <string>

#include "ui/window.h"

struct Kavrona;

struct frm_IP_adress : Window {
    explicit frm_IP_adress(Kavrona& program);

    Kavrona& program;

    TextBox tb_IP_adr{*this, "tb_IP_adr"};

  private:
    void Form_Load() override;
    void Form_Activate() override;

    std::string GetIPAddress();
};
