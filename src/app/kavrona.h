#pragma once
// The running program: its services, its windows, one instance of each.

#include "app/form1.h"
#include "forms/frm_BIOS.h"
#include "forms/frm_IP_adress.h"
#include "forms/frm_Procesor.h"
#include "platform/platform.h"
#include "ui/application.h"

struct Kavrona {
    Kavrona(const Platform& os, View& view) : os(os), app(view) {}

    Platform os;
    Application app;
    // The main window is made first and hands its report to the others; it keeps
    // them only to open them later.
    Form1 form1{app, os, {ip_adress, bios, procesor}};
    frm_IP_adress ip_adress{app, form1, os.network};
    frm_BIOS bios{app, form1, os.registry, os.dialogs};
    frm_Procesor procesor{app, form1, os.wmi, os.dialogs};

    void start() { form1.show(); }
};
