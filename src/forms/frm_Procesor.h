#pragma once
// The processor details window: the processors WMI reports, the details of the one
// picked, and, on request, those details at the end of the main window's report.

#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "forms/report_host.h"
#include "platform/dialogs.h"
#include "platform/wmi.h"
#include "ui/window.h"

extern const WindowLayout kProcesorLayout;

struct frm_Procesor : Window {
    frm_Procesor(Application& app, ReportHost& report, Wmi& wmi, Dialogs& dialogs);

    Label lblTitle{*this, "lblTitle"};
    Label lblCPUlist{*this, "lblCPUlist"};
    ListBox lstCPU{*this, "lstCPU"};
    TextBox txtCPU{*this, "txtCPU"};
    CommandButton cmd_Write{*this, "cmd_Write"};
    CommandButton cmd_Close{*this, "cmd_Close"};

    std::unique_ptr<WmiServices> objWMI;
    std::unique_ptr<WmiObjectSet> colCPU;
    // Entry i is the object path of the processor listed at i; one empty entry
    // while none is listed.
    std::vector<std::string> sCPUpath;

    // What "Zapsat a zavřít" writes: the details shown, between two line ends.
    void writeDetails();
    // For the report without a window: the details of every processor listed, in the
    // list's order, each as "Zapsat a zavřít" writes them. When the load failed, since
    // the list may then be short, the box's words instead, between two line ends.
    void writeEveryProcessor();

  private:
    ReportHost& report;
    Wmi& wmi;
    Dialogs& dialogs;
    // Why the last load did not list every processor WMI gave, in the box's words.
    std::optional<std::string> listingFailed_;

    void Form_Load() override;
    void Form_Activate() override;
    void Form_Unload() override;

    void lstCPU_Click();
    void cmd_Write_Click();
    void cmd_Close_Click();

    // Each gives the failure's description, or nothing when all went well.
    std::optional<std::string> ListProcessors();
    std::optional<std::string> ListProcessor(WmiObject& cpu);
};
