#include <gtest/gtest.h>

#include "app/kavrona.h"
#include "platform/platform_fake.h"
#include "support/fake_kavrona.h"

namespace {

const std::string kRule(68, '#');
const std::string kStampBytes =
    "\xC8"
    "as z\xE1pisu: ";  // "Čas zápisu: " in Windows-1250

struct SavingTest : FakeKavrona {
    const std::string path = "C:\\Data\\Kavrona.txt";

    void SetUp() override {
        k.start();
        k.form1.tb_Txt_DIR.setText(path);
        k.form1.tb_Info.setText("Computer Name: PC\r\n");
        k.form1.tb_Txt_DIR.setFocus();
    }
    std::string& file() { return fake.files.contents[path]; }
};

TEST_F(SavingTest, RecordIsStampReportAndRuleInTheCodePage) {
    k.form1.tb_Info.setText("Řádek\r\n\tžluťoučký kůň 日");
    k.form1.cmd_Save.click();
    EXPECT_EQ(kStampBytes, file().substr(0, 12));
    EXPECT_EQ(kStampBytes + "6.12.2026 5:08:05\r\n" +
                  "\xD8\xE1"
                  "dek\r\n\t\x9Elu\x9Dou\xE8k\xFD k\xF9\xF2 ?\r\n" +
                  kRule + "\r\n",
              file());
}

TEST_F(SavingTest, ReportEndingWithLineEndLeavesEmptyLineBeforeRule) {
    k.form1.cmd_Save.click();
    EXPECT_TRUE(file().ends_with("Computer Name: PC\r\n\r\n" + kRule + "\r\n"));
}

TEST_F(SavingTest, OnlyTheDateAtExactlyMidnight) {
    struct Case {
        uint16_t h, m, s;
        std::string time, line;
    } cases[] = {
        {0, 0, 0, "0:00:00", "7.12.2026\r\n"},
        {0, 0, 1, "0:00:01", "7.12.2026 0:00:01\r\n"},
        {0, 1, 0, "0:01:00", "7.12.2026 0:01:00\r\n"},
        {12, 0, 0, "12:00:00", "7.12.2026 12:00:00\r\n"},
    };
    for (const Case& c : cases) {
        fake.clock.moments = {{c.h, c.m, c.s, "7.12.2026", c.time}};
        file().clear();
        k.form1.cmd_Save.click();
        EXPECT_EQ(kStampBytes + c.line, file().substr(0, file().find("\r\n") + 2)) << c.time;
    }
}

TEST_F(SavingTest, TwoSavesMakeTwoRecordsInOrder) {
    file() = "older\r\n";
    fake.clock.moments = {{5, 8, 5, "6.12.2026", "5:08:05"}, {5, 8, 9, "6.12.2026", "5:08:09"}};
    k.form1.cmd_Save.click();
    k.form1.cmd_Save.click();
    std::string record = "Computer Name: PC\r\n\r\n" + kRule + "\r\n";
    EXPECT_EQ("older\r\n" + kStampBytes + "6.12.2026 5:08:05\r\n" + record + kStampBytes +
                  "6.12.2026 5:08:09\r\n" + record,
              file());
    EXPECT_EQ(2u, fake.files.appendedTo.size());
}

TEST_F(SavingTest, SuccessShowsThePathAsTypedAndFocusesPrint) {
    k.form1.tb_Txt_DIR.setText("zpráva.txt");
    k.form1.cmd_Save.click();
    ASSERT_EQ(1u, fake.dialogs.shown.size());
    EXPECT_EQ("Soubor byl uložen na adresu:\r\nzpráva.txt", fake.dialogs.shown[0].text);
    EXPECT_EQ(kInformationIcon, fake.dialogs.shown[0].style);
    EXPECT_EQ("Uložení do souboru ...", fake.dialogs.shown[0].title);
    EXPECT_EQ(std::vector<std::string>{"zpr\xE1va.txt"}, fake.files.appendedTo);
    EXPECT_EQ(&k.form1.cmd_Print, k.form1.focus());
    EXPECT_EQ("Computer Name: PC\r\n", k.form1.tb_Info.text());
}

TEST_F(SavingTest, NameCheck) {
    struct Case {
        std::string path, report;
        bool saves;
    } cases[] = {
        {"a.txt", "x", true},        {".txt", "x", false},
        {"x.TXT", "x", false},       {"C:\\a.Txt", "x", false},
        {"a.txt", "", false},        {"a.txt", "   ", true},
        {"a.txt", "\r\n\r\n", true}, {"ř.txt", "x", true},
        {"C:\\a.txt ", "x", false},  {"", "x", false},
    };
    for (const Case& c : cases) {
        fake.dialogs.shown.clear();
        fake.files.appendedTo.clear();
        k.form1.tb_Txt_DIR.setText(c.path);
        k.form1.tb_Info.setText(c.report);
        k.form1.tb_Txt_DIR.setFocus();
        k.form1.cmd_Save.click();
        ASSERT_EQ(1u, fake.dialogs.shown.size()) << c.path;
        EXPECT_EQ(c.saves ? 1u : 0u, fake.files.appendedTo.size()) << c.path;
        if (!c.saves) {
            EXPECT_EQ("Chyba názvu souboru\r\nnebo chybí data o PC", fake.dialogs.shown[0].text);
            EXPECT_EQ(kStopIcon, fake.dialogs.shown[0].style);
            EXPECT_EQ("Uložení do souboru ...", fake.dialogs.shown[0].title);
            EXPECT_EQ(&k.form1.tb_Txt_DIR, k.form1.focus()) << c.path;
        }
    }
}

TEST_F(SavingTest, FailuresShowTheReasonAndLeaveFileAndFocus) {
    struct Case {
        std::string name, path;
        std::function<void()> script;
        std::string reason;
    } cases[] = {
        {"missing folder", "C:\\Nic\\Kavrona.txt",
         [&] { fake.files.unopenable["C:\\Nic\\Kavrona.txt"] = "The path was not found."; },
         "The path was not found."},
        {"short write", path, [&] { fake.files.shortWrite = "The disk is full."; },
         "The disk is full."},
        {"flush failed", path,
         [&] {
             fake.files.failedFlush =
                 "The request could not be performed because of an I/O device error.";
         },
         "The request could not be performed because of an I/O device error."},
        {"path outside the code page", "C:\\日本\\Kavrona.txt", [] {},
         "Název souboru obsahuje znaky, které znaková sada systému neumí zapsat."},
    };
    for (const Case& c : cases) {
        fake.dialogs.shown.clear();
        file() = "older\r\n";
        c.script();
        k.form1.tb_Txt_DIR.setText(c.path);
        k.form1.tb_Txt_DIR.setFocus();
        k.form1.cmd_Save.click();
        ASSERT_EQ(1u, fake.dialogs.shown.size()) << c.name;
        EXPECT_EQ("Soubor se nepodařilo uložit.\r\n" + c.reason, fake.dialogs.shown[0].text);
        EXPECT_EQ(kStopIcon, fake.dialogs.shown[0].style);
        EXPECT_EQ("Uložení do souboru ...", fake.dialogs.shown[0].title);
        EXPECT_EQ("older\r\n", file()) << c.name;
        EXPECT_EQ(0u, fake.files.appendedTo.size()) << c.name;
        EXPECT_EQ(&k.form1.tb_Txt_DIR, k.form1.focus()) << c.name;
    }
    // A lossy name never reaches the file system under a substitute letter.
    EXPECT_EQ(0u, fake.files.contents.count("C:\\??\\Kavrona.txt"));
}

}  // namespace
