#pragma once
// What Kavrona is asked on its command line: its window, as always; the complete
// report or the JSON record into a file, without a window; or how to ask.

#include <string>
#include <vector>

struct CommandLine {
    enum class Ask { Window, Report, Json, Usage, Wrong };
    Ask ask = Ask::Window;
    std::string file;  // for Report and Json, UTF-8; for Json "-" is the standard output
};

// `arguments` are those after the program's name, UTF-8. Switches are read without
// regard to case. A first argument that starts with "/" or "-" is a switch: one the
// program does not know is Wrong, never the window, which under a scheduled task
// nobody would close. Other arguments are left alone, as the program always left them.
CommandLine readCommandLine(const std::vector<std::string>& arguments);

// The exit code of a run without a window.
enum ExitCode : int {
    kExitDone = 0,         // the record written, or the usage asked for
    kExitNameRefused = 1,  // the name check of "Uložit do souboru ..." failed
    kExitNotSaved = 2,     // the file could not take the record, or the run failed first
    kExitWrongSwitch = 3,  // an unknown switch, a switch without its file, or one too many
};

// How to ask, line by line.
inline constexpr const char* kUsage[] = {
    "Použití:",
    "  Kavrona.exe                  otevře okno programu",
    "  Kavrona.exe /report SOUBOR   připíše kompletní info na konec souboru SOUBOR",
    "                               bez okna a skončí; název musí končit na .txt",
    "                               (malými písmeny)",
    "  Kavrona.exe /json SOUBOR     připíše totéž jako jeden řádek JSON na konec",
    "                               souboru SOUBOR (název libovolný); - místo názvu",
    "                               zapíše řádek na standardní výstup",
    "  Kavrona.exe /?               vypíše tento návod",
    "Návratový kód: 0 zapsáno, 1 chybný název souboru, 2 soubor se nepodařilo uložit,",
    "3 přepínač, který program nezná (i začínající znakem -, např. -report), /report",
    "nebo /json bez názvu souboru nebo další argument navíc.",
};
