#include "windows/frm_BIOS.h"

#include "app/form1.h"
#include "app/msgbox.h"
#include "facts/bios.h"

namespace {

using K = ControlKind;

const ControlRow kBiosRows[] = {
    {K::TextBox, "Text1", "Text1", {360, 2160, 9615, 3735}, kMultiLine},
};

}  // namespace

const WindowLayout kBiosLayout{"frm_BIOS", "frm_BIOS", 10080, 7020, false, kBiosRows};

frm_BIOS::frm_BIOS(Application& app, Form1& form1, Registry& registry, CodePage& ansi,
                   Dialogs& dialogs)
    : Window(app, kBiosLayout), form1(form1), registry(registry), ansi(ansi), dialogs(dialogs) {}

void frm_BIOS::Form_Load() {
    hide();
    // A value that cannot be read keeps what the last load read; the user is not told.
    GetBiosInfo(registry, ansi, Datum, Verze);
    std::string lines = biosVersionLines(Verze);
    if (form1.tb_Bios_info.text() == "Ano") {
        MsgBox(dialogs, lines);
        return;
    }
    form1.appendReport(biosSection(lines));
    form1.advanceStep();
}

void frm_BIOS::Form_Activate() {
    hide();
    unload();
}
