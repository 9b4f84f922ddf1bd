#include "app/report_file.h"

#include <string_view>

#include "platform/utf8.h"

namespace {

constexpr std::string_view kRule =
    "####################################################################";

// As the name check reads it: more than 4 characters, ending in exactly ".txt".
bool isReportFileName(std::string_view path) {
    return decodeUtf8(path).size() > 4 && path.ends_with(".txt");
}

std::string record(const LocalStamp& moment, std::string_view report, std::string_view lineEnd) {
    std::string text = "Čas zápisu: ";
    text += moment.shortDate;
    // At exactly midnight the time is left out, as the system's own date-and-time text does.
    if (moment.hour != 0 || moment.minute != 0 || moment.second != 0) {
        text += ' ';
        text += moment.longTime;
    }
    for (std::string_view part : {lineEnd, report, lineEnd, kRule, lineEnd}) text += part;
    return text;
}

}  // namespace

Saving saveReport(Files& files, Clock& clock, const std::string& path, const std::string& report,
                  const std::string& lineEnd) {
    using R = Saving::Result;
    if (!isReportFileName(path) || report.empty())
        return {R::NameRefused, "Chyba názvu souboru" + lineEnd + "nebo chybí data o PC"};
    // A name the code page cannot hold is refused there; in the record, what it cannot
    // hold is written as its substitute.
    if (Outcome saved = files.append(path, record(clock.now(), report, lineEnd)); !saved.ok)
        return {R::NotSaved, "Soubor se nepodařilo uložit." + lineEnd + saved.reason};
    return {R::Saved, "Soubor byl uložen na adresu:" + lineEnd + path};
}
