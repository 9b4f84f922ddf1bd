// Printing on the machine's CUPS through Wine; printing_win32_test.sh sets up the
// printer, hands over the report and reads back what arrived. The faults are in
// printer_faults_win32_test.cpp.

#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>

#include "support/real_program_win32.h"

namespace {

struct PrintingByScript : testing::Test {
    RealProgram program;
    Form1& form1 = program.k.form1;

    void SetUp() override {
        const char* name = std::getenv("KAVRONA_PRINT_REPORT");
        if (!name) GTEST_SKIP() << "run by printing_win32_test.sh";
        std::ifstream in(name);
        std::string report, line;
        while (std::getline(in, line)) report += line + "\r\n";
        form1.tb_Info.setText(report);
        form1.cmd_Save.setFocus();
    }
    std::vector<std::string> texts() { return program.dialogs.texts(); }
};

TEST_F(PrintingByScript, ReportGoesToTheQueue) {
    form1.cmd_Print.click();
    EXPECT_EQ(
        (std::vector<std::string>{"Tiskout dokument?", "Přenos do tiskového frontu ukončen."}),
        texts());
    EXPECT_EQ(&form1.cmd_End, form1.focus());
}

}  // namespace
