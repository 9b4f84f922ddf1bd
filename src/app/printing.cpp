// "Tisknout zobrazené ...": the report box on the default printer.

#include "app/form1.h"
#include "forms/msgbox.h"

namespace {

constexpr const char* kPrintTitle = "Tisk dat ...";

}  // namespace

void Form1::cmd_Print_Click() {
    const std::string report = tb_Info.text();
    if (report.empty()) {
        MsgBox(os.dialogs, "Není co tisknout !!!", kStopIcon, kPrintTitle);
        return;
    }
    auto failed = [&](const Outcome& outcome) {
        MsgBox(os.dialogs, "Tisk se nezdařil." + Konec_radku + outcome.reason, kStopIcon,
               kPrintTitle);
    };
    // A missing printer is told before the user is asked to print on it.
    if (Outcome opened = os.printer.open(); !opened.ok) return failed(opened);
    os.printer.setScaleMode(1);
    os.printer.setStartPosition(500.0f);
    os.printer.setFontSize(10.0f);
    os.printer.setOrientation(1);

    if (MsgBox(os.dialogs, "Tiskout dokument?", kQuestionIcon | kOkCancel, kPrintTitle) !=
        kAnswerOk) {
        os.printer.killDoc();
        MsgBox(os.dialogs, "Tisk byl stornován.", kInformationIcon, kPrintTitle);
        return;
    }
    if (Outcome printed = os.printer.printLine(report); !printed.ok) return failed(printed);
    if (Outcome ended = os.printer.endDoc(); !ended.ok) return failed(ended);
    MsgBox(os.dialogs, "Přenos do tiskového frontu ukončen.", kInformationIcon, kPrintTitle);
    cmd_End.setFocus();
}
