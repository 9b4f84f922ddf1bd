#include "forms/frm_IP_adress.h"

#include "facts/network_address.h"

namespace {

using K = ControlKind;

const ControlRow kIpAdressRows[] = {
    {K::TextBox, "tb_IP_adr", "Text1", {165, 353, 5055, 375}},
};

}  // namespace

const WindowLayout kIpAdressLayout{"frm_IP_adress", "IP adresa:", 5385, 1080, false, kIpAdressRows};

frm_IP_adress::frm_IP_adress(Application& app, ReportHost& report, NetworkAdapters& network)
    : Window(app, kIpAdressLayout), report(report), network(network) {}

void frm_IP_adress::Form_Load() {
    hide();
    std::string address = GetIPAddress(network);
    tb_IP_adr.setText(address);
    report.appendReport(ipAddressSection(address));
    report.advanceStep();
}

void frm_IP_adress::Form_Activate() {
    unload();
}
