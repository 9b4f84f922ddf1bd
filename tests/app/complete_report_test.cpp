#include <gtest/gtest.h>

#include "support/fake_kavrona.h"

namespace {

const std::string kSystem = "Hardware\\Description\\System";

// A machine with one of every source: a real adapter behind an empty one, a two-line
// BIOS, 512 MiB with 256 MiB free, drives C: and D:, and one processor.
struct CompleteReport : FakeKavrona {
    void SetUp() override {
        fake.environment.variables = {
            {"COMPUTERNAME", "PC-KANCELAR"}, {"LOGONSERVER", "\\\\DC1"}, {"USERNAME", "jiri"}};
        VersionRecord v;
        v.platformId = 2;
        v.majorVersion = 5;
        v.minorVersion = 1;
        v.csdVersion = "Service Pack 3";
        fake.version.record = v;
        fake.network.answer = adaptersWith(AdapterStatus::Ok, {"0.0.0.0", "192.168.1.10"});
        auto& system = fake.registry.key(kHKeyLocalMachine, kSystem);
        system["SystemBiosDate"] = {1, std::string("06/01/26\0", 9), {}};
        system["SystemBiosVersion"] = {7, std::string("VBOX   - 1\0BIOS 2.0\0\0", 21), {}};
        FakeDrive& c = fake.volumes.add('C', 0x12AB00CD, "SYSTEM");
        c.space = FakeSpace{0, 80023715840, 1048576000};
        fake.volumes.add('D', 0x00000001);  // a blank label
        fake.wmi.processors = {{"\\\\PC\\ROOT\\CIMV2:Win32_Processor.DeviceID=\"CPU0\"",
                                {{"Name", WmiValue::ofText("Procesor X")},
                                 {"Description", WmiValue::ofText("x64 Family 6")},
                                 {"Status", WmiValue{}},
                                 {"CurrentClockSpeed", WmiValue::ofInteger(2800)}}}};
        k.start();
    }
    const std::string& report() { return k.form1.tb_Info.text(); }
};

const std::string kFirstFive =
    "Computer Name: PC-KANCELAR\r\n"
    "User Name: jiri\r\n"
    "Logon Server: \\\\DC1\r\n"
    "\r\n"
    "Verze Windows: Windows XP - Service Pack 3\r\n"
    "\r\n"
    "\r\n"
    "IP adresa: 192.168.1.10\r\n"
    "\r\n"
    "\r\n"
    "\r\n"
    "BIOS: \r\n"
    "VBOX   - 1\r\n"
    "BIOS 2.0\r\n"
    "\r\n"
    "Celková paměť: 515 MB\r\n"
    "Volná paměť:  257 MB\r\n"
    "\r\n"
    "Statistika pro Disk: C:\\\r\n"
    "Typ: Pevný disk.\r\n"
    "Jmenovka: SYSTEM\r\n"
    "Seriové číslo: 12AB-00CD\r\n"
    "Celkové místo na svazku s FAT32: 8002371,584 ( 76 GB )\r\n"
    "Volné místo na svazku s FAT32:     104857,6 ( 1024 MB )\r\n"
    "\r\n"
    "\r\n"
    "Statistika pro Disk: D:\\\r\n"
    "Typ: Pevný disk.\r\n"
    "Jmenovka: (no label)\r\n"
    "Seriové číslo: 0000-0001\r\n"
    "Celkové místo na svazku s FAT32: 0 ( 0 MB )\r\n"
    "Volné místo na svazku s FAT32:     0 ( 0 MB )\r\n";

const std::string kProcessorSection =
    "\r\n"
    "Procesor: Procesor X\r\n"
    "Popis: x64 Family 6\r\n"
    "Stav \r\n"
    "Rychlost: 2800   MHz\r\n"  // the last line that the processor has
    "\r\n";

TEST_F(CompleteReport, WholeReportToTheByte) {
    k.form1.cmd_Print_on_listbox.click();
    EXPECT_EQ(kFirstFive, report());
    EXPECT_EQ("6", k.form1.tb_Forms_show.text());
    ASSERT_TRUE(k.procesor.visible());
    EXPECT_TRUE(k.procesor.cmd_Write.hasFocus());
    EXPECT_EQ("1 procesor detekován na tomto stroji.", k.procesor.lblTitle.caption());

    k.procesor.cmd_Write.click();
    EXPECT_EQ(kFirstFive + kProcessorSection, report());
    EXPECT_TRUE(k.form1.cmd_Save.hasFocus());
    EXPECT_EQ("6", k.form1.tb_Forms_show.text());
    EXPECT_TRUE(fake.dialogs.shown.empty());
}

TEST_F(CompleteReport, StepsRunNestedInsideTheStartsWrite) {
    // Each step's window is still loading while the later steps run, and the address
    // and BIOS windows are gone once the nesting has unwound.
    std::vector<std::string> loadedWhileDrivesRan;
    auto seen = k.form1.tb_Forms_show.onChange;
    int deepest = 0, depth = 0;
    k.form1.tb_Forms_show.onChange = [&] {
        ++depth;
        deepest = std::max(deepest, depth);
        if (k.form1.tb_Forms_show.text() == "5") {
            if (k.ip_adress.loaded()) loadedWhileDrivesRan.push_back("ip");
            if (k.bios.loaded()) loadedWhileDrivesRan.push_back("bios");
        }
        seen();  // the program's own dispatcher
        --depth;
    };
    k.form1.cmd_Print_on_listbox.click();
    EXPECT_EQ(6, deepest);
    EXPECT_EQ((std::vector<std::string>{"ip", "bios"}), loadedWhileDrivesRan);
    EXPECT_FALSE(k.ip_adress.loaded());
    EXPECT_FALSE(k.bios.loaded());
    EXPECT_TRUE(k.procesor.visible());
    EXPECT_EQ(&k.procesor, k.app.active());
}

TEST_F(CompleteReport, OnlyTheExactStepTextsStartAStep) {
    for (const char* text : {"01", " 1", "1.0", "1 ", "7", "Text1", ""}) {
        k.form1.tb_Forms_show.setText(text);
        EXPECT_EQ("", report()) << '"' << text << '"';
        EXPECT_FALSE(k.procesor.loaded()) << '"' << text << '"';
    }
    k.form1.tb_Forms_show.setText("0");
    EXPECT_EQ("", report());
}

TEST_F(CompleteReport, SecondRunStartsAfreshAfterTheWindowClosed) {
    k.form1.cmd_Print_on_listbox.click();
    k.procesor.cmd_Close.click();
    EXPECT_EQ(kFirstFive, report());
    EXPECT_EQ("6", k.form1.tb_Forms_show.text());
    k.form1.tb_Info.setText(report() + "ruční poznámka");

    k.form1.cmd_Print_on_listbox.click();
    EXPECT_EQ(kFirstFive, report());  // the note is gone: the start clears the box
    k.procesor.cmd_Write.click();
    EXPECT_EQ(kFirstFive + kProcessorSection, report());
    EXPECT_EQ(2, fake.wmi.times("connect"));
}

TEST_F(CompleteReport, RerunWhileTheProcessorWindowIsOpenOnlyBringsItToTheFront) {
    k.form1.cmd_Print_on_listbox.click();
    k.procesor.txtCPU.setText("upraveno");
    k.form1.cmd_Save.setFocus();  // the user goes back to the main window
    ASSERT_EQ(&k.form1, k.app.active());

    k.form1.cmd_Print_on_listbox.click();
    EXPECT_EQ(kFirstFive, report());
    EXPECT_EQ(1, fake.wmi.times("connect"));  // not loaded again
    EXPECT_EQ("upraveno", k.procesor.txtCPU.text());
    EXPECT_EQ(&k.procesor, k.app.active());
    EXPECT_TRUE(k.procesor.cmd_Write.hasFocus());
    k.procesor.cmd_Write.click();
    EXPECT_EQ(kFirstFive + "\r\nupraveno\r\n", report());
}

TEST_F(CompleteReport, BiosButtonBetweenRunsKeepsTheStepAndTheNextRunHasItsBiosSection) {
    k.form1.cmd_Print_on_listbox.click();
    k.procesor.cmd_Close.click();
    k.form1.cmd_Show_Bios.click();
    ASSERT_EQ(1u, fake.dialogs.shown.size());
    EXPECT_EQ("VBOX   - 1\r\nBIOS 2.0", fake.dialogs.shown[0].text);
    EXPECT_EQ("6", k.form1.tb_Forms_show.text());
    EXPECT_EQ("Ano", k.form1.tb_Bios_info.text());

    k.form1.cmd_Print_on_listbox.click();
    EXPECT_EQ("Ne", k.form1.tb_Bios_info.text());
    EXPECT_EQ(kFirstFive, report());
}

TEST_F(CompleteReport, WmiFailureShowsItsBoxAndTheRestOfTheReportStands) {
    fake.wmi.failing["connect"] = "Přístup odepřen.";
    k.form1.cmd_Print_on_listbox.click();
    ASSERT_EQ(1u, fake.dialogs.shown.size());
    EXPECT_EQ("Informace se nepodařilo zjistit. Nastala chyba: Přístup odepřen.",
              fake.dialogs.shown[0].text);
    EXPECT_EQ("WMI Demo", fake.dialogs.shown[0].title);
    EXPECT_EQ(kFirstFive, report());
    EXPECT_TRUE(k.procesor.visible());
    k.procesor.cmd_Write.click();
    EXPECT_EQ(kFirstFive + "\r\nText1\r\n", report());
}

TEST_F(CompleteReport, ClosingTheMainWindowLeavesTheProcessorWindowRunningTheProgram) {
    k.form1.cmd_Print_on_listbox.click();
    k.form1.cmd_End.click();
    EXPECT_FALSE(k.app.ended());
    k.procesor.cmd_Write.click();  // nothing to append to, and no main window revived
    EXPECT_FALSE(k.form1.loaded());
    EXPECT_TRUE(k.app.ended());
}

}  // namespace
