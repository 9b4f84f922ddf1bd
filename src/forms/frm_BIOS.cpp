#include "forms/frm_BIOS.h"

#include "facts/bios.h"
#include "forms/msgbox.h"

namespace {

using K = ControlKind;

const ControlRow kBiosRows[] = {
    {K::TextBox, "Text1", "Text1", {360, 2160, 9615, 3735}, kMultiLine},
};

}  // namespace

const WindowLayout kBiosLayout{"frm_BIOS", "frm_BIOS", 10080, 7020, false, kBiosRows};

frm_BIOS::frm_BIOS(Application& app, ReportHost& report, Registry& registry, Dialogs& dialogs)
    : Window(app, kBiosLayout), report(report), registry(registry), dialogs(dialogs) {}

void frm_BIOS::Form_Load() {
    hide();
    // A value that cannot be read keeps what the last load read; the user is not told.
    GetBiosInfo(registry, Datum, Verze);
    std::string lines = biosVersionLines(Verze);
    if (report.biosShownAlone()) {
        MsgBox(dialogs, lines);
        return;
    }
    report.appendReport(biosSection(lines));
    report.advanceStep();
}

void frm_BIOS::Form_Activate() {
    hide();
    unload();
}
