// Printing on the machine's CUPS through Wine; printing_win32_test.sh sets up the
// printer, hands over the report and reads back what arrived.

#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>

#include "app/real_program_win32.h"

namespace {

const std::string kFailure = "Tisk se nezdařil.\r\n";

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
    void expectFailureLast() {
        ASSERT_FALSE(program.dialogs.shown.empty());
        const ShownMessage& last = program.dialogs.shown.back();
        EXPECT_TRUE(last.text.starts_with(kFailure) && last.text.size() > kFailure.size())
            << last.text;
        EXPECT_EQ(kStopIcon, last.style);
        EXPECT_EQ("Tisk dat ...", last.title);
        EXPECT_EQ(&form1.cmd_Save, form1.focus());
    }
};

TEST_F(PrintingByScript, ReportGoesToTheQueue) {
    form1.cmd_Print.click();
    EXPECT_EQ(
        (std::vector<std::string>{"Tiskout dokument?", "Přenos do tiskového frontu ukončen."}),
        texts());
    EXPECT_EQ(&form1.cmd_End, form1.focus());
}

TEST_F(PrintingByScript, RefusedJobShowsTheFailure) {
    form1.cmd_Print.click();
    ASSERT_EQ(2u, texts().size());
    EXPECT_EQ("Tiskout dokument?", texts()[0]);
    expectFailureLast();
}

TEST_F(PrintingByScript, NoPrinterShowsTheFailureWithoutAsking) {
    form1.cmd_Print.click();
    ASSERT_EQ(1u, texts().size());
    expectFailureLast();
}

}  // namespace
