#include <gtest/gtest.h>

#include "app/kavrona.h"
#include "platform/platform_fake.h"
#include "support/fake_kavrona.h"

namespace {

using Log = std::vector<std::string>;
const Log kSetUp = {"open", "ScaleMode 1", "StartPosition 500", "FontSize 10", "Orientation 1"};

Log plus(Log log, std::initializer_list<std::string> more) {
    log.insert(log.end(), more);
    return log;
}

struct PrintingTest : FakeKavrona {
    const std::string report = "Computer Name: PC\r\nUser Name: jana\r\n";

    void SetUp() override {
        k.start();
        k.form1.tb_Info.setText(report);
        k.form1.cmd_Save.setFocus();
    }
    const ShownMessage& box(size_t i) { return fake.dialogs.shown.at(i); }
};

TEST_F(PrintingTest, EmptyReportNeverTouchesThePrinter) {
    k.form1.tb_Info.setText("");
    k.form1.cmd_Print.click();
    ASSERT_EQ(1u, fake.dialogs.shown.size());
    EXPECT_EQ("Není co tisknout !!!", box(0).text);
    EXPECT_EQ(kStopIcon, box(0).style);
    EXPECT_EQ("Tisk dat ...", box(0).title);
    EXPECT_TRUE(fake.printer.log.empty());
}

TEST_F(PrintingTest, OkPrintsAfterSettingUpAndFocusesEnd) {
    fake.dialogs.whileOpen = [&](const ShownMessage& m) {
        if (m.text == "Tiskout dokument?") {
            EXPECT_EQ(kSetUp, fake.printer.log);
        }
    };
    k.form1.cmd_Print.click();
    EXPECT_EQ(plus(kSetUp, {"print", "end"}), fake.printer.log);
    EXPECT_EQ(Log{report}, fake.printer.printed);
    EXPECT_EQ(1u, fake.printer.ended);
    ASSERT_EQ(2u, fake.dialogs.shown.size());
    EXPECT_EQ("Tiskout dokument?", box(0).text);
    EXPECT_EQ(kQuestionIcon | kOkCancel, box(0).style);
    EXPECT_EQ("Tisk dat ...", box(0).title);
    EXPECT_EQ("Přenos do tiskového frontu ukončen.", box(1).text);
    EXPECT_EQ(kInformationIcon, box(1).style);
    EXPECT_EQ("Tisk dat ...", box(1).title);
    EXPECT_EQ(&k.form1.cmd_End, k.form1.focus());
    EXPECT_EQ(report, k.form1.tb_Info.text());
}

TEST_F(PrintingTest, ReportOfOnlyLineEndsIsPrinted) {
    k.form1.tb_Info.setText("\r\n\r\n");
    k.form1.cmd_Print.click();
    EXPECT_EQ(Log{"\r\n\r\n"}, fake.printer.printed);
    EXPECT_EQ(1u, fake.printer.ended);
}

TEST_F(PrintingTest, AnyAnswerButOkDiscards) {
    for (int answer : {static_cast<int>(kAnswerCancel), 0}) {
        fake.printer.log.clear();
        fake.dialogs.shown.clear();
        fake.dialogs.answers = {answer};
        k.form1.cmd_Print.click();
        EXPECT_EQ(plus(kSetUp, {"kill"}), fake.printer.log);
        ASSERT_EQ(2u, fake.dialogs.shown.size());
        EXPECT_EQ("Tisk byl stornován.", box(1).text);
        EXPECT_EQ(kInformationIcon, box(1).style);
        EXPECT_EQ("Tisk dat ...", box(1).title);
        EXPECT_EQ(&k.form1.cmd_Save, k.form1.focus());
    }
    EXPECT_EQ(0u, fake.printer.ended);
}

TEST_F(PrintingTest, FailuresShowTheReasonAndLeaveReportAndFocus) {
    struct Case {
        std::string name;
        std::function<void(FakePrinter&)> script;
        Log log;
        bool asked;
    } cases[] = {
        {"no default printer",
         [](FakePrinter& p) { p.openFailure = "Printer missing."; },
         {"open"},
         false},
        {"print fails", [](FakePrinter& p) { p.printFailure = "Printer missing."; },
         plus(kSetUp, {"print"}), true},
        {"job refused", [](FakePrinter& p) { p.endFailure = "Printer missing."; },
         plus(kSetUp, {"print", "end"}), true},
    };
    for (const Case& c : cases) {
        FakePlatform fresh;
        Kavrona program{fresh.platform(), view};
        program.start();
        program.form1.tb_Info.setText(report);
        program.form1.cmd_Save.setFocus();
        c.script(fresh.printer);
        program.form1.cmd_Print.click();
        EXPECT_EQ(c.log, fresh.printer.log) << c.name;
        ASSERT_EQ(c.asked ? 2u : 1u, fresh.dialogs.shown.size()) << c.name;
        const ShownMessage& last = fresh.dialogs.shown.back();
        EXPECT_EQ("Tisk se nezdařil.\r\nPrinter missing.", last.text) << c.name;
        EXPECT_EQ(kStopIcon, last.style);
        EXPECT_EQ("Tisk dat ...", last.title);
        EXPECT_EQ(0u, fresh.printer.ended);
        EXPECT_EQ(report, program.form1.tb_Info.text());
        EXPECT_EQ(&program.form1.cmd_Save, program.form1.focus()) << c.name;
    }
}

}  // namespace
