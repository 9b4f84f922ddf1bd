// Each single-fact button shows its fact's boxes, untitled boxes bearing the program's
// title, and leaves the report and the step as they were.

#include <gtest/gtest.h>

#include "support/fake_kavrona.h"

namespace {

struct SingleFactButton : FakeKavrona {
    const std::string report = "report\r\n";

    void SetUp() override {
        k.start();
        k.form1.tb_Info.setText(report);
    }
    std::vector<std::string> boxesOf(CommandButton& button) {
        fake.dialogs.shown.clear();
        button.click();
        for (const ShownMessage& m : fake.dialogs.shown) {
            EXPECT_EQ(kOkOnly, m.style) << button.row.name;
            EXPECT_EQ("Kavrona", m.title) << button.row.name;
        }
        EXPECT_EQ(report, k.form1.tb_Info.text()) << button.row.name;
        EXPECT_EQ("0", k.form1.tb_Forms_show.text()) << button.row.name;
        return fake.dialogs.texts();
    }
};

TEST_F(SingleFactButton, WindowsVersion) {
    VersionRecord r;
    r.platformId = 2;
    r.majorVersion = 5;
    r.minorVersion = 1;
    r.csdVersion = std::string("Service Pack 3") + std::string(114, '\0');
    fake.version.record = r;
    EXPECT_EQ(std::vector<std::string>{"Windows XP - Service Pack 3"},
              boxesOf(k.form1.cmd_ver_win));
}

TEST_F(SingleFactButton, User) {
    fake.user.name = "Jiří";
    EXPECT_EQ(std::vector<std::string>{"Jiří"}, boxesOf(k.form1.cmd_Username));
}

TEST_F(SingleFactButton, LogonInfo) {
    fake.environment.variables = {
        {"COMPUTERNAME", "PC-KANCELAR"}, {"LOGONSERVER", "\\\\PC-KANCELAR"}, {"USERNAME", "Jiří"}};
    EXPECT_EQ((std::vector<std::string>{"Computer Name: PC-KANCELAR",
                                        "Logon Server: \\\\PC-KANCELAR", "User Name: Jiří"}),
              boxesOf(k.form1.cmd_Logon_info));
}

TEST_F(SingleFactButton, ProcessorFamily) {
    fake.system.processorType = 4000;
    EXPECT_EQ(std::vector<std::string>{"Procesor: MIPS R4000"}, boxesOf(k.form1.Command1));
}

TEST_F(SingleFactButton, SystemFolders) {
    EXPECT_EQ(
        (std::vector<std::string>{"C:\\WINDOWS", "C:\\WINDOWS\\TEMP\\", "C:\\WINDOWS\\system32"}),
        boxesOf(k.form1.Command2));
}

TEST_F(SingleFactButton, Drives) {
    fake.volumes.drives['A'] = FakeDrive{kDriveRemovable, std::nullopt, std::nullopt};
    fake.volumes.add('C', 1);
    EXPECT_EQ((std::vector<std::string>{" A:\\ - Disketa.", " C:\\ - Pevný disk."}),
              boxesOf(k.form1.cmd_Harddisk));
}

}  // namespace
