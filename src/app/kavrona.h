#pragma once
// The running program: its services, its windows, one instance of each.

#include "app/form1.h"
#include "hardware/frm_BIOS.h"
#include "hardware/frm_IP_adress.h"
#include "hardware/frm_Procesor.h"
#include "hardware/mod_Procesor_type.h"
#include "platform/platform.h"
#include "ui/application.h"

struct Kavrona {
    Kavrona(const Platform& os, View& view) : os(os), app(view) {}

    Platform os;
    Application app;
    Form1 form1{*this};
    frm_IP_adress ip_adress{*this};
    frm_BIOS bios{*this};
    frm_Procesor procesor{*this};
    mod_Procesor_type procesor_type{this->os};

    void start() { form1.show(); }
};
