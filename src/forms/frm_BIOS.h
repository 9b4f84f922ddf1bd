#pragma once
// The BIOS window: reads the BIOS date and version, and either shows the version
// ("Info o BIOS") or appends it to the complete report. It closes itself when it
// comes up.

#include <string>

#include "forms/report_host.h"
#include "platform/dialogs.h"
#include "platform/registry.h"
#include "ui/window.h"

extern const WindowLayout kBiosLayout;

struct frm_BIOS : Window {
    frm_BIOS(Application& app, ReportHost& report, Registry& registry, Dialogs& dialogs);

    ReportHost& report;
    Registry& registry;
    Dialogs& dialogs;

    TextBox Text1{*this, "Text1"};

    // Outlive an unload: the next load starts from them.
    std::string Datum;
    std::string Verze;  // multi-string entries separated by NUL characters

  private:
    void Form_Load() override;
    void Form_Activate() override;
};
