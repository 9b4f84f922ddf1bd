#include "app/form1.h"

#include <gtest/gtest.h>

#include "support/fake_kavrona.h"

namespace {

struct Form1Test : FakeKavrona {};

TEST_F(Form1Test, StartUpState) {
    fake.folder.folder = "D:\\Nástroje\\Kavrona";
    k.start();
    EXPECT_EQ("", k.form1.tb_Info.text());
    EXPECT_EQ("D:\\Nástroje\\Kavrona\\Kavrona.txt", k.form1.tb_Txt_DIR.text());
    EXPECT_EQ("\r\n", k.form1.Konec_radku);
    EXPECT_EQ("0", k.form1.tb_Forms_show.text());
    EXPECT_EQ("Text1", k.form1.tb_Bios_info.text());
    EXPECT_TRUE(k.form1.visible());
    EXPECT_EQ(&k.form1, k.app.active());
    EXPECT_TRUE(k.form1.cmd_Print_on_listbox.hasFocus());  // tab index 0
    EXPECT_TRUE(fake.dialogs.shown.empty());
}

TEST_F(Form1Test, LinksOpenThroughTheShellAndFailuresStaySilent) {
    k.start();
    fake.shell.answer = 2;  // no program for the link
    k.form1.lb_email.click();
    k.form1.lb_www.click();
    EXPECT_EQ((std::vector<std::string>{"mailto:info@kavrona.cz", "http://www.kavrona.cz"}),
              fake.shell.opened);
    EXPECT_TRUE(fake.dialogs.shown.empty());
}

TEST_F(Form1Test, SingleFactButtonsLeaveTheReportAsItWas) {
    fake.user.name = "jiri";
    k.start();
    const std::string report = "Computer Name: X\r\n\r\nruční poznámka\r\n";
    k.form1.tb_Info.setText(report);
    for (CommandButton* b :
         {&k.form1.cmd_ver_win, &k.form1.cmd_Username, &k.form1.cmd_Logon_info, &k.form1.Command1,
          &k.form1.Command2, &k.form1.cmd_Harddisk, &k.form1.cmd_Show_Bios}) {
        b->click();
        EXPECT_EQ(report, k.form1.tb_Info.text()) << b->row.name;
        EXPECT_EQ("0", k.form1.tb_Forms_show.text()) << b->row.name;
    }
}

TEST_F(Form1Test, CloseEndsTheProgramWithoutAQuestion) {
    k.start();
    k.form1.tb_Info.setText("neuložená zpráva");
    k.form1.cmd_End.click();
    EXPECT_FALSE(k.form1.loaded());
    EXPECT_TRUE(k.app.ended());
    EXPECT_TRUE(fake.dialogs.shown.empty());
}

}  // namespace
