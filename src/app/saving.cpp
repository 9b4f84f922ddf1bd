// "Uložit do souboru ...": the report appended to the report file as a time-stamped record.

#include "app/form1.h"
#include "app/report_file.h"
#include "forms/msgbox.h"

void Form1::cmd_Save_Click() {
    Saving saving = saveReport(os.files, os.clock, tb_Txt_DIR.text(), tb_Info.text(), Konec_radku);
    const bool saved = saving.result == Saving::Result::Saved;
    MsgBox(os.dialogs, saving.message, saved ? kInformationIcon : kStopIcon, kSaveTitle);
    if (saved) cmd_Print.setFocus();
}
