// A WMI that never answers, under the window's complete report: the press comes back
// once the connection's patience is spent, with the WMI box, and the other sections
// are there. stuck_wmi_win32_test.sh puts the locator that never answers in place.

#include <gtest/gtest.h>

#include <chrono>

#include "support/real_program_win32.h"

namespace {

using namespace std::chrono_literals;

TEST(StuckWmiByScript, TheWindowsReportWaitsOnlyItsPatience) {
    RealProgram program;
    program.real.wmi.patience = 2s;
    Form1& form1 = program.k.form1;
    for (int press = 0; press < 2; ++press) {  // a new connection is as patient
        program.dialogs.shown.clear();
        const auto start = std::chrono::steady_clock::now();
        form1.cmd_Print_on_listbox.click();
        const auto took = std::chrono::steady_clock::now() - start;
        EXPECT_GE(took, 2s) << "the locator answered: is the stand-in in place?";
        EXPECT_LT(took, 10s);
        ASSERT_EQ(1u, program.dialogs.shown.size()) << press;
        EXPECT_EQ("Informace se nepodařilo zjistit. Nastala chyba: WMI neodpověděla do 2 s.",
                  program.dialogs.shown[0].text);
        EXPECT_NE(std::string::npos, form1.tb_Info.text().find("Statistika pro Disk: "));
        program.k.procesor.cmd_Close.click();
    }
}

}  // namespace
