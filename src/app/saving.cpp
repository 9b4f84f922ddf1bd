// "Uložit do souboru ...": the report appended to the report file as a time-stamped record.

#include <string_view>

#include "app/form1.h"
#include "forms/msgbox.h"
#include "platform/utf8.h"

namespace {

constexpr const char* kSaveTitle = "Uložení do souboru ...";
constexpr std::string_view kRule =
    "####################################################################";

// As the name check reads it: more than 4 characters, ending in exactly ".txt".
bool isReportFileName(std::string_view path) {
    return decodeUtf8(path).size() > 4 && path.ends_with(".txt");
}

}  // namespace

void Form1::cmd_Save_Click() {
    const std::string path = tb_Txt_DIR.text();
    const std::string report = tb_Info.text();
    if (!isReportFileName(path) || report.empty()) {
        MsgBox(os.dialogs, "Chyba názvu souboru" + Konec_radku + "nebo chybí data o PC", kStopIcon,
               kSaveTitle);
        return;
    }
    auto failed = [&](const std::string& reason) {
        MsgBox(os.dialogs, "Soubor se nepodařilo uložit." + Konec_radku + reason, kStopIcon,
               kSaveTitle);
    };
    // A substitute letter in the name would put the record into another file.
    AnsiText ansiPath = os.ansi.toAnsi(path);
    if (ansiPath.lossy)
        return failed("Název souboru obsahuje znaky, které znaková sada systému neumí zapsat.");

    LocalStamp moment = os.clock.now();
    std::string record = "Čas zápisu: ";
    record += os.ansi.toUtf8(moment.shortDate);
    // At exactly midnight the time is left out, as the system's own date-and-time text does.
    if (moment.hour != 0 || moment.minute != 0 || moment.second != 0) {
        record += ' ';
        record += os.ansi.toUtf8(moment.longTime);
    }
    for (std::string_view part :
         {std::string_view(Konec_radku), std::string_view(report), std::string_view(Konec_radku),
          kRule, std::string_view(Konec_radku)})
        record += part;

    // What the code page cannot hold in the report itself is written as its substitute.
    if (Outcome saved = os.files.append(ansiPath.bytes, os.ansi.toAnsi(record).bytes); !saved.ok)
        return failed(saved.reason);
    MsgBox(os.dialogs, "Soubor byl uložen na adresu:" + Konec_radku + path, kInformationIcon,
           kSaveTitle);
    cmd_Print.setFocus();
}
