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
    LocalStamp moment = os.clock.now();
    std::string record = "Čas zápisu: ";
    record += moment.shortDate;
    // At exactly midnight the time is left out, as the system's own date-and-time text does.
    if (moment.hour != 0 || moment.minute != 0 || moment.second != 0) {
        record += ' ';
        record += moment.longTime;
    }
    for (std::string_view part :
         {std::string_view(Konec_radku), std::string_view(report), std::string_view(Konec_radku),
          kRule, std::string_view(Konec_radku)})
        record += part;

    // A name the code page cannot hold is refused there; in the record, what it cannot
    // hold is written as its substitute.
    if (Outcome saved = os.files.append(path, record); !saved.ok) {
        MsgBox(os.dialogs, "Soubor se nepodařilo uložit." + Konec_radku + saved.reason, kStopIcon,
               kSaveTitle);
        return;
    }
    MsgBox(os.dialogs, "Soubor byl uložen na adresu:" + Konec_radku + path, kInformationIcon,
           kSaveTitle);
    cmd_Print.setFocus();
}
