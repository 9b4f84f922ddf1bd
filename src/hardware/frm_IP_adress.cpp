#include "hardware/frm_IP_adress.h"

#include "app/kavrona.h"

frm_IP_adress::frm_IP_adress(Kavrona& program)
    : Window(program.app, kIpAdressLayout), program(program) {}

std::string frm_IP_adress::GetIPAddress() {
    Platform& os = program.os;
    AdapterList list = os.network.adapters();
    if (list.status != AdapterStatus::Ok) return {};
    for (const std::string& address : list.firstAddresses) {
        // Windows lists adapters that are up but have no address yet with 0.0.0.0
        // (Wine its ifb devices): that is no address either.
        std::string text = os.ansi.toUtf8(address);
        if (!text.empty() && text != "0.0.0.0") return text;
    }
    return {};
}

void frm_IP_adress::Form_Load() {
    Form1& form1 = program.form1;
    hide();
    std::string address = GetIPAddress();
    tb_IP_adr.setText(address);
    form1.appendReport(form1.Konec_radku + "IP adresa: " + address + form1.Konec_radku +
                       form1.Konec_radku);
    form1.advanceStep();
}

void frm_IP_adress::Form_Activate() {
    unload();
}
