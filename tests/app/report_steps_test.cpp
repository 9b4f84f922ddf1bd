// The main window's own steps of the complete report, each run alone: its section is
// appended after what the report holds and the step is handed on.

#include <gtest/gtest.h>

#include "support/fake_kavrona.h"
#include "support/step_alone.h"

namespace {

struct ReportStep : FakeKavrona {
    void SetUp() override {
        fake.environment.variables = {{"COMPUTERNAME", "PC-KANCELAR"},
                                      {"LOGONSERVER", "\\\\PC-KANCELAR"},
                                      {"USERNAME", "Jiří"}};
        k.start();
    }
};

TEST_F(ReportStep, LogonSectionToTheByteAndItsStepAdvance) {
    VersionRecord r;
    r.platformId = 2;
    r.majorVersion = 5;
    r.minorVersion = 1;
    r.csdVersion = std::string("Service Pack 2") + std::string(114, '\0');
    fake.version.record = r;
    atStepAlone(k.form1, "1");
    k.form1.LogOn_a_Win();
    EXPECT_EQ(
        "Computer Name: PC-KANCELAR\r\n"
        "User Name: Jiří\r\n"
        "Logon Server: \\\\PC-KANCELAR\r\n"
        "\r\n"
        "Verze Windows: Windows XP - Service Pack 2\r\n"
        "\r\n",
        k.form1.tb_Info.text());
    EXPECT_EQ("2", k.form1.tb_Forms_show.text());
}

TEST_F(ReportStep, LogonSectionIsAppendedAfterWhatTheReportHolds) {
    fake.environment.variables.clear();
    k.form1.tb_Info.setText("před");
    atStepAlone(k.form1, "x");
    k.form1.LogOn_a_Win();
    EXPECT_EQ(
        "před"
        "Computer Name: \r\nUser Name: \r\nLogon Server: \r\n\r\nVerze Windows: Chyba - " +
            std::string(128, ' ') + "\r\n\r\n",
        k.form1.tb_Info.text());
    EXPECT_EQ("x", k.form1.tb_Forms_show.text());  // not a number: the report stops here
}

TEST_F(ReportStep, MemoryAppendsTwoLinesWithoutALastLineEndAndAdvances) {
    fake.memory.counts = MemoryCounts{1ull << 30, 512ull << 20};
    k.form1.tb_Info.setText("Verze Windows: x\r\n\r\n");
    atStepAlone(k.form1, "4");
    k.form1.Pamet_size();
    EXPECT_EQ("Verze Windows: x\r\n\r\n\r\nCelková paměť: 1029 MB\r\nVolná paměť:  515 MB",
              k.form1.tb_Info.text());
    EXPECT_EQ("5", k.form1.tb_Forms_show.text());
}

TEST_F(ReportStep, DrivesAppendTheirBlocksAndAdvance) {
    FakeDrive& c = fake.volumes.add('C', 0x12AB00CD, "SYSTEM");
    c.space = FakeSpace{5, 80023715840, 1048577000};
    k.form1.tb_Info.setText("Volná paměť:  515 MB");
    atStepAlone(k.form1, "5");
    k.form1.Info_o_HDD();
    EXPECT_EQ(
        "Volná paměť:  515 MB\r\n\r\n"
        "Statistika pro Disk: C:\\\r\n"
        "Typ: Pevný disk.\r\n"
        "Jmenovka: SYSTEM\r\n"
        "Seriové číslo: 12AB-00CD\r\n"
        "Celkové místo na svazku s FAT32: 8002371,584 ( 76 GB )\r\n"
        "Volné místo na svazku s FAT32:     104857,7 ( 1 GB )\r\n",
        k.form1.tb_Info.text());
    EXPECT_EQ("6", k.form1.tb_Forms_show.text());
}

TEST_F(ReportStep, NoReadableDriveStillAdvances) {
    fake.volumes.drives['A'] = FakeDrive{kDriveRemovable, std::nullopt, std::nullopt};
    k.form1.tb_Info.setText("R");
    atStepAlone(k.form1, "5");
    k.form1.Info_o_HDD();
    EXPECT_EQ("R", k.form1.tb_Info.text());
    EXPECT_EQ("6", k.form1.tb_Forms_show.text());
}

}  // namespace
