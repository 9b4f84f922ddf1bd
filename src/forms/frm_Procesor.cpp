#include "forms/frm_Procesor.h"

#include "facts/processor_details.h"
#include "forms/msgbox.h"

namespace {

constexpr const char* kInvalidUseOfNull = "Invalid use of Null";

using K = ControlKind;

const ControlRow kProcesorRows[] = {
    {K::Label, "lblTitle", "Label1", {240, 240, 3975, 375}},
    {K::Label, "lblCPUlist", "Label1", {240, 840, 4095, 495}, kHidden},
    {K::ListBox, "lstCPU", "", {240, 1680, 4215, 450}},
    {K::TextBox, "txtCPU", "Text1", {240, 2400, 4215, 2775}, kMultiLine},
    {K::CommandButton, "cmd_Write", "Zapsat a zavřít", {2640, 5400, 1815, 375}},
    {K::CommandButton, "cmd_Close", "Zavřít", {240, 5400, 1455, 375}},
};

}  // namespace

const WindowLayout kProcesorLayout{"frm_Procesor", "Procesor:", 4680, 6090, true, kProcesorRows};

frm_Procesor::frm_Procesor(Application& app, ReportHost& report, Wmi& wmi, Dialogs& dialogs)
    : Window(app, kProcesorLayout), report(report), wmi(wmi), dialogs(dialogs) {
    lstCPU.onClick = [this] { lstCPU_Click(); };
    cmd_Write.onClick = [this] { cmd_Write_Click(); };
    cmd_Close.onClick = [this] { cmd_Close_Click(); };
}

void frm_Procesor::Form_Load() {
    sCPUpath.assign(1, std::string());
    listingFailed_.reset();
    if (std::optional<std::string> failure = ListProcessors()) {
        listingFailed_ = "Informace se nepodařilo zjistit. Nastala chyba: " + *failure;
        MsgBox(dialogs, *listingFailed_, kOkOnly, "WMI Demo");
    }
}

std::optional<std::string> frm_Procesor::ListProcessors() {
    WmiResult<std::unique_ptr<WmiServices>> connected = wmi.connect();
    if (!connected.ok()) return connected.failure();
    objWMI = std::move(connected.value());
    lstCPU.clear();
    WmiResult<std::unique_ptr<WmiObjectSet>> cpus = objWMI->instancesOf("Win32_Processor");
    if (!cpus.ok()) return cpus.failure();
    colCPU = std::move(cpus.value());
    WmiResult<int32_t> count = colCPU->count();
    if (!count.ok()) return count.failure();
    lblTitle.setCaption(ProcesorTitle(count.value()));
    std::optional<std::string> failure;
    WmiResult<WmiDone> listed = colCPU->forEach([&](WmiObject& cpu) {
        failure = ListProcessor(cpu);
        return !failure;
    });
    if (failure) return failure;
    if (!listed.ok()) return listed.failure();
    if (!lstCPU.items().empty()) lstCPU.setListIndex(0);
    return std::nullopt;
}

std::optional<std::string> frm_Procesor::ListProcessor(WmiObject& cpu) {
    WmiResult<std::string> path = cpu.path();
    if (!path.ok()) return path.failure();
    if (path.value().empty()) return std::nullopt;
    WmiResult<WmiValue> name = cpu.property("Name");
    if (!name.ok()) return name.failure();
    if (name.value().kind == WmiValue::Kind::Null) return kInvalidUseOfNull;
    lstCPU.addItem(ValueText(name.value()));
    if (sCPUpath[0].empty()) {
        sCPUpath[0] = path.value();
    } else {
        sCPUpath.push_back(path.value());
    }
    return std::nullopt;
}

void frm_Procesor::lstCPU_Click() {
    std::unique_ptr<WmiObject> cpu;
    int i = lstCPU.listIndex();
    if (colCPU && i >= 0 && i < static_cast<int>(sCPUpath.size())) {
        WmiResult<std::unique_ptr<WmiObject>> found = colCPU->item(sCPUpath[i]);
        if (found.ok()) cpu = std::move(found.value());
    }
    txtCPU.setText(ProcesorDetails(cpu.get()));
}

void frm_Procesor::writeDetails() {
    // Once the main window is closed there is no report left to write to, and it is
    // not brought back for this.
    if (report.reportOpen())
        report.appendReport(report.lineEnd() + txtCPU.text() + report.lineEnd());
}

void frm_Procesor::writeEveryProcessor() {
    if (!loaded()) return;
    if (listingFailed_) {
        if (report.reportOpen())
            report.appendReport(report.lineEnd() + *listingFailed_ + report.lineEnd());
        return;
    }
    for (int i = 0; i < static_cast<int>(lstCPU.items().size()); ++i) {
        lstCPU.setListIndex(i);
        writeDetails();
    }
}

void frm_Procesor::cmd_Write_Click() {
    writeDetails();
    unload();
    report.focusSave();
}

void frm_Procesor::cmd_Close_Click() {
    unload();
    report.focusSave();
}

void frm_Procesor::Form_Activate() {
    cmd_Write.setFocus();
}

void frm_Procesor::Form_Unload() {
    // The connection goes with the window: COM may be shut down before the
    // program's windows are destroyed.
    colCPU.reset();
    objWMI.reset();
    report.focusSave();
}
