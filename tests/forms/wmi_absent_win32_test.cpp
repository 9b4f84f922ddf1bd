// The complete report on a system without WMI. Runs by itself, in a process started
// with WMI's provider disabled (tests/CMakeLists.txt): the processor window says so in
// its box, and every other section is there, in its place.

#include <windows.h>

#include <objbase.h>

#include <gtest/gtest.h>

#include <regex>

#include "support/real_program_win32.h"

namespace {

// Everything the report holds before the processor details, on any machine.
std::regex sectionsBeforeTheProcessor() {
    char computer[MAX_COMPUTERNAME_LENGTH + 1];
    DWORD size = sizeof computer;
    GetComputerNameA(computer, &size);
    return std::regex("Computer Name: " + std::string(computer) +
                      "\r\nUser Name: [^\r\n]+\r\nLogon Server: [^\r\n]*\r\n\r\n"
                      "Verze Windows: [^\r\n]* - [^\r\n]*\r\n\r\n"
                      "\r\nIP adresa: [0-9.]*\r\n\r\n"
                      "\r\n\r\nBIOS: \r\n[\\s\\S]*\r\n"
                      "\r\nCelková paměť: [1-9][0-9]* MB\r\nVolná paměť:  [1-9][0-9]* MB"
                      "(\r\n\r\nStatistika pro Disk: [A-Z]:\\\\\r\n[\\s\\S]*?\r\n)+");
}

// The report started, the processor window's box, and the window left waiting.
void startWithoutWmi(RealProgram& program) {
    program.dialogs.shown.clear();
    program.k.form1.cmd_Print_on_listbox.click();
    ASSERT_EQ(1u, program.dialogs.shown.size());
    const ShownMessage& box = program.dialogs.shown[0];
    const std::string failed = "Informace se nepodařilo zjistit. Nastala chyba: ";
    EXPECT_TRUE(box.text.starts_with(failed) && box.text.size() > failed.size()) << box.text;
    EXPECT_EQ(0, box.style);
    EXPECT_EQ("WMI Demo", box.title);
    ASSERT_TRUE(program.k.procesor.visible()) << "the window waits for the user all the same";
    EXPECT_TRUE(program.k.procesor.lstCPU.items().empty());
    EXPECT_EQ("6", program.k.form1.tb_Forms_show.text());
}

}  // namespace

TEST(WithoutWmi, CompleteReportHasAllButTheProcessor) {
    ASSERT_EQ(S_OK, CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED));
    {
        RealProgram program;
        Form1& form1 = program.k.form1;
        const std::regex sections = sectionsBeforeTheProcessor();

        startWithoutWmi(program);
        program.k.procesor.cmd_Close.click();
        EXPECT_FALSE(program.k.procesor.loaded());
        EXPECT_EQ(&form1.cmd_Save, form1.focus());
        EXPECT_TRUE(std::regex_match(form1.tb_Info.text(), sections)) << form1.tb_Info.text();

        // "Zapsat a zavřít" writes what the details box shows: its initial text.
        startWithoutWmi(program);
        EXPECT_EQ("Text1", program.k.procesor.txtCPU.text());
        program.k.procesor.cmd_Write.click();
        const std::string& report = form1.tb_Info.text();
        ASSERT_TRUE(report.ends_with("\r\n\r\nText1\r\n")) << report;
        EXPECT_TRUE(std::regex_match(report.substr(0, report.size() - 9), sections)) << report;
    }
    CoUninitialize();
}
