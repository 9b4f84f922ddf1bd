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
// regard to case. Arguments that do not start with a switch are left alone, as the
// program always left them.
CommandLine readCommandLine(const std::vector<std::string>& arguments);

// The exit code of a run without a window.
enum ExitCode : int {
    kExitDone = 0,         // the record written, or the usage asked for
    kExitNameRefused = 1,  // the name check of "Uložit do souboru ..." failed
    kExitNotSaved = 2,     // the file could not take the record; it is as it was
    kExitWrongSwitch = 3,  // a switch the program does not know, or one without its file
};

// How to ask, line by line.
inline constexpr const char* kUsage[] = {
    "Použití:",
    "  Kavrona.exe                  otevře okno programu",
    "  Kavrona.exe /report SOUBOR   připíše kompletní info na konec souboru SOUBOR (.txt)",
    "                               bez okna a skončí",
    "  Kavrona.exe /json SOUBOR     připíše totéž jako řádek JSON (- místo souboru: na výstup)",
    "  Kavrona.exe /?               vypíše tento návod",
    "Návratový kód: 0 zapsáno, 1 chybný název souboru, 2 soubor se nepodařilo uložit,",
    "3 neznámý přepínač.",
};
