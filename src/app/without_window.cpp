#include "app/without_window.h"

#include <exception>
#include <new>

#include "app/json_record.h"
#include "app/kavrona.h"
#include "app/report_file.h"
#include "facts/line_end.h"
#include "ui/view.h"

namespace {

// A box's text on one line: each of its line ends becomes a blank.
std::string oneLine(const std::string& text) {
    std::string line;
    for (size_t i = 0; i < text.size(); ++i) {
        if (text[i] != '\r' && text[i] != '\n') {
            line += text[i];
        } else if (text[i] == '\n' || i + 1 == text.size() || text[i + 1] != '\n') {
            line += ' ';
        }
    }
    return line;
}

// What the program would have shown in a box, said on the console instead.
struct BoxesOnConsole : Dialogs {
    explicit BoxesOnConsole(Console& console) : console(console) {}
    Console& console;
    int messageBox(const std::string& text, int, const std::string&) override {
        console.err(oneLine(text));
        return kAnswerOk;
    }
};

Platform withBoxes(const Platform& os, Dialogs& boxes) {
    return {os.version, os.user,     os.environment, boxes,      os.shell,       os.folder,
            os.printer, os.files,    os.clock,       os.system,  os.directories, os.wmi,
            os.network, os.registry, os.memory,      os.volumes, os.regional};
}

// The complete report as "Zobraz kompletní info" gathers it, with every processor's
// details as "Zapsat a zavřít" writes them, saved as "Uložit do souboru ..." saves it.
int report(const std::string& file, const Platform& os, Console& console) {
    BoxesOnConsole boxes(console);
    HeadlessView view;
    Kavrona program(withBoxes(os, boxes), view);
    program.start();
    program.form1.cmd_Print_on_listbox.click();
    program.procesor.writeEveryProcessor();
    Form1& form1 = program.form1;
    Saving saving = saveReport(os.files, os.clock, file, form1.tb_Info.text(), form1.lineEnd());
    if (saving.result == Saving::Result::Saved) return kExitDone;
    boxes.messageBox(saving.message, kStopIcon, kSaveTitle);
    return saving.result == Saving::Result::NameRefused ? kExitNameRefused : kExitNotSaved;
}

// The JSON record appended to `file` as "Uložit do souboru ..." appends the report,
// whole or not at all, or written to the standard output.
int json(const std::string& file, const Platform& os, Console& console) {
    const std::string record = jsonRecord(os);
    const bool toOutput = file == "-";
    Outcome written = toOutput ? console.record(record) : os.files.appendUtf8(file, record);
    if (written.ok) return kExitDone;
    const std::string what =
        toOutput ? "Standardní výstup záznam nepřijal." : "Soubor se nepodařilo uložit.";
    console.err(oneLine(what + kLineEnd + written.reason));
    return kExitNotSaved;
}

int run(const CommandLine& line, const Platform& os, Console& console) {
    switch (line.ask) {
        case CommandLine::Ask::Report:
            return report(line.file, os, console);
        case CommandLine::Ask::Json:
            return json(line.file, os, console);
        case CommandLine::Ask::Usage:
            for (const char* text : kUsage) console.out(text);
            return kExitDone;
        case CommandLine::Ask::Window:
        case CommandLine::Ask::Wrong:
            break;
    }
    for (const char* text : kUsage) console.err(text);
    return kExitWrongSwitch;
}

// An error of the program's own ends the run as a file that could not take the record:
// one line, and no box of the C runtime's, which nobody would close.
int failed(Console& console, const char* why) noexcept {
    try {
        console.err(oneLine(std::string("Záznam se nepodařilo pořídit. Nastala chyba: ") + why));
    } catch (...) {  // nothing left to say it with: the exit code tells
    }
    return kExitNotSaved;
}

}  // namespace

int runWithoutWindow(const CommandLine& line, const Platform& os, Console& console) noexcept {
    try {
        return run(line, os, console);
    } catch (const std::bad_alloc&) {
        return failed(console, "nedostatek paměti");
    } catch (const std::exception& e) {
        return failed(console, e.what());
    } catch (...) {
        return failed(console, "neznámá chyba");
    }
}
