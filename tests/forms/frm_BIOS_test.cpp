#include "forms/frm_BIOS.h"

#include <gtest/gtest.h>

#include "support/fake_kavrona.h"
#include "support/step_alone.h"

using namespace std::string_literals;

namespace {

const char* kSystem = "Hardware\\Description\\System";

}  // namespace

struct BiosWindow : FakeKavrona {
    std::map<std::string, ScriptedValue>& system = fake.registry.key(kHKeyLocalMachine, kSystem);

    void SetUp() override { k.start(); }
    void setBios(ScriptedValue date, ScriptedValue version) {
        system["SystemBiosDate"] = std::move(date);
        system["SystemBiosVersion"] = std::move(version);
    }
    void runAsStep3() {
        k.form1.tb_Bios_info.setText("Ne");
        atStepAlone(k.form1, "3");
        k.bios.show();
    }
};

TEST_F(BiosWindow, OwnButtonShowsOneLinePerEntryAndTouchesNothingElse) {
    setBios({1, "07/15/95\0"s, {}}, {7, "AMI BIOS\0Ver 1.0\0\0"s, {}});
    k.form1.tb_Info.setText("R");
    k.form1.cmd_Show_Bios.click();
    ASSERT_EQ(1u, fake.dialogs.shown.size());
    EXPECT_EQ("AMI BIOS\r\nVer 1.0", fake.dialogs.shown[0].text);
    EXPECT_EQ(0, fake.dialogs.shown[0].style);
    EXPECT_EQ("Kavrona", fake.dialogs.shown[0].title);
    EXPECT_EQ("R", k.form1.tb_Info.text());
    EXPECT_EQ("0", k.form1.tb_Forms_show.text());
    EXPECT_EQ("Ano", k.form1.tb_Bios_info.text());
    EXPECT_FALSE(k.bios.loaded());
    k.form1.cmd_Show_Bios.click();
    EXPECT_EQ(2u, fake.dialogs.shown.size());
}

TEST_F(BiosWindow, ReportModeAppendsTheSectionAndAdvances) {
    setBios({1, "07/15/95\0"s, {}}, {7, "AMI BIOS\0Ver 1.0\0\0"s, {}});
    k.form1.tb_Info.setText("IP adresa: 10.0.0.5\r\n\r\n");
    runAsStep3();
    EXPECT_EQ("IP adresa: 10.0.0.5\r\n\r\n\r\n\r\nBIOS: \r\nAMI BIOS\r\nVer 1.0\r\n",
              k.form1.tb_Info.text());
    EXPECT_EQ("4", k.form1.tb_Forms_show.text());
    EXPECT_TRUE(fake.dialogs.shown.empty());
    EXPECT_FALSE(k.bios.loaded());
    EXPECT_FALSE(k.bios.visible());
}

TEST_F(BiosWindow, FlagInLowerCaseIsReportMode) {
    setBios({1, "d\0"s, {}}, {1, "One line\0"s, {}});
    atStepAlone(k.form1, "3");
    k.form1.tb_Bios_info.setText("ano");
    k.bios.show();
    EXPECT_EQ("\r\n\r\nBIOS: \r\nOne line\r\n", k.form1.tb_Info.text());
    EXPECT_EQ("4", k.form1.tb_Forms_show.text());
}

TEST_F(BiosWindow, NoKeyGivesAnEmptyLine) {
    fake.registry.keys.clear();
    runAsStep3();
    EXPECT_EQ("\r\n\r\nBIOS: \r\n\r\n", k.form1.tb_Info.text());
}

TEST_F(BiosWindow, DateAndVersionOutliveAnUnload) {
    setBios({1, "07/15/95\0"s, {}}, {7, "AMI\0V1\0\0"s, {}});
    runAsStep3();
    system.erase("SystemBiosDate");
    system["SystemBiosVersion"] = {1, "V2\0"s, {}};
    k.form1.tb_Info.setText("");
    runAsStep3();
    EXPECT_EQ("07/15/95", k.bios.Datum);
    EXPECT_EQ("AMI\0V1"s, k.bios.Verze);
    EXPECT_EQ("\r\n\r\nBIOS: \r\nAMI\r\nV1\r\n", k.form1.tb_Info.text());
}
