#include "facts/drives.h"
#include "app/fake_kavrona.h"

#include <gtest/gtest.h>

#include "app/step_alone.h"

#include "app/kavrona.h"
#include "platform/platform_fake.h"

using namespace std::string_literals;

TEST(DriveFigures, SerialTexts) {
    const struct {
        uint32_t serial;
        const char* text;
    } cases[] = {
        {0x0000FFFF, "0000-FFFF"}, {0x12AB00CD, "12AB-00CD"}, {0xFFFF0000, "FFFF-0000"},
        {0x8000FFFF, "8000-FFFF"}, {0x00AB12CD, "00AB-12CD"}, {0, "0000-0000"},
    };
    for (const auto& c : cases) EXPECT_EQ(c.text, serialText(c.serial));
}

TEST(DriveFigures, UnitParts) {
    const struct {
        uint64_t bytes;
        const char* text;
    } cases[] = {
        {1048576000, " ( 1024 MB )"},
        {1048577000, " ( 1 GB )"},
        {1023500, " ( 1 MB )"},  // 1023.5 thousands round to the even 1024
        {1022500, " ( 0 MB )"},  // 1022.5 to the even 1022
        {1023499, " ( 0 MB )"},
        {80023715840, " ( 76 GB )"},
        {0, " ( 0 MB )"},
        {3000000000000, " ( 2861 GB )"},  // beyond 2.1 TB
        {4398046511104, " ( 4194 GB )"},
        {UINT64_MAX, " ( 17592186044 GB )"},
    };
    for (const auto& c : cases) EXPECT_EQ(c.text, unitPart(c.bytes)) << c.bytes;
}

TEST(DriveFigures, RawFigures) {
    const struct {
        uint64_t bytes;
        const char* separator;
        const char* text;
    } cases[] = {
        {5600, ",", "0,56"},
        {1234500, ",", "123,45"},
        {2000000, ",", "200"},
        {0, ",", "0"},
        {1234500, ".", "123.45"},
        {80023715840, ",", "8002371,584"},
        {10001, ",", "1,0001"},
        {3000000000000, ",", "300000000"},
        {4398046511104, ".", "439804651.1104"},
    };
    for (const auto& c : cases) EXPECT_EQ(c.text, rawFigure(c.bytes, c.separator)) << c.bytes;
}

struct DrivesSection : FakeKavrona {
    void SetUp() override {
        k.start();
        atStepAlone(k.form1, "5");
    }
    std::string report() { return k.form1.tb_Info.text(); }
    std::string reportedRoots() {  // "CE" when C:\ and E:\ have blocks
        std::string out, text = report(), head = "Statistika pro Disk: ";
        for (size_t at = text.find(head); at != std::string::npos; at = text.find(head, at + 1))
            out += text[at + head.size()];
        return out;
    }
};

TEST_F(DrivesSection, BlockToTheByteAndStepAdvance) {
    FakeDrive& c = fake.volumes.add('C', 0x12AB00CD, "SYSTEM");
    c.space = FakeSpace{5, 80023715840, 1048577000};
    k.form1.tb_Info.setText("Volná paměť:  515 MB");
    k.form1.Info_o_HDD();
    EXPECT_EQ(
        "Volná paměť:  515 MB\r\n\r\n"
        "Statistika pro Disk: C:\\\r\n"
        "Typ: Pevný disk.\r\n"
        "Jmenovka: SYSTEM\r\n"
        "Seriové číslo: 12AB-00CD\r\n"
        "Celkové místo na svazku s FAT32: 8002371,584 ( 76 GB )\r\n"
        "Volné místo na svazku s FAT32:     104857,7 ( 1 GB )\r\n",
        report());
    EXPECT_EQ("6", k.form1.tb_Forms_show.text());
}

TEST_F(DrivesSection, BlocksAreSeparatedByTwoEmptyLines) {
    fake.volumes.add('C', 1);
    fake.volumes.add('D', 2);
    k.form1.Info_o_HDD();
    EXPECT_NE(std::string::npos,
              report().find("( 0 MB )\r\n\r\n\r\nStatistika pro Disk: D:\\\r\n"));
}

TEST_F(DrivesSection, RepeatSerialRule) {
    const struct {
        std::vector<std::pair<char, uint32_t>> readable;
        std::vector<char> unreadable;
        const char* reported;
    } cases[] = {
        {{{'C', 7}, {'D', 7}}, {}, "C"},     {{{'C', 7}, {'D', 8}, {'E', 7}}, {}, "CDE"},
        {{{'C', 7}, {'E', 7}}, {'D'}, "C"},  // compared with C, not with unreadable D
        {{{'C', 7}, {'E', 8}}, {'D'}, "CE"}, {{{'A', 7}, {'Z', 7}}, {'D', 'W'}, "A"},
    };
    for (const auto& c : cases) {
        fake.volumes.drives.clear();
        for (auto [letter, serial] : c.readable) fake.volumes.add(letter, serial);
        for (char letter : c.unreadable) fake.volumes.drives[letter] = FakeDrive{};
        k.form1.tb_Info.setText("");
        k.form1.Info_o_HDD();
        EXPECT_EQ(c.reported, reportedRoots()) << c.reported;
    }
}

TEST_F(DrivesSection, NetworkDrivesAreQueriedButLeftOut) {
    fake.volumes.add('C', 1);
    fake.volumes.add('F', 2).type = kDriveRemote;
    fake.volumes.add('G', 3);
    k.form1.Info_o_HDD();
    EXPECT_EQ("CG", reportedRoots());
    std::vector<std::string> fCalls;
    for (const auto& call : fake.volumes.calls)
        if (call.ends_with("F:\\")) fCalls.push_back(call);
    EXPECT_EQ((std::vector<std::string>{"volume F:\\", "space F:\\", "type F:\\"}), fCalls);
}

TEST_F(DrivesSection, XAndYAreNeverProbed) {
    for (char letter : {'W', 'X', 'Y', 'Z'}) fake.volumes.add(letter, letter);
    k.form1.Info_o_HDD();
    EXPECT_EQ("WZ", reportedRoots());
    std::vector<char> letters = fake.volumes.probed();
    EXPECT_EQ(std::string("ABCDEFGHIJKLMNOPQRSTUVWZ"), std::string(letters.begin(), letters.end()));
}

TEST_F(DrivesSection, Labels) {
    const struct {
        std::string label;
        const char* shown;
    } cases[] = {
        {"", "(no label)"},
        {"   ", "(no label)"},
        {" Data ", " Data "},
        {"Škoda", "Škoda"},
        {"ABCDEFGHIJKLMNOPQRSTUVWXYZ012345",
         "ABCDEFGHIJKLMNOPQRSTUVWXYZ012345"},  // 32, NTFS's most
    };
    for (const auto& c : cases) {
        fake.volumes.drives.clear();
        fake.volumes.add('C', 1, c.label);
        k.form1.tb_Info.setText("");
        k.form1.Info_o_HDD();
        EXPECT_NE(std::string::npos, report().find("\r\nJmenovka: "s + c.shown + "\r\n"))
            << c.shown;
    }
}

TEST_F(DrivesSection, AFailingSpaceQueryShowsZeroNotThePreviousDrive) {
    fake.volumes.add('C', 1).space = FakeSpace{1, 80023715840, 1048577000};
    fake.volumes.add('D', 2).space.reset();
    k.form1.Info_o_HDD();
    std::string d = report().substr(report().find("Disk: D:\\"));
    EXPECT_NE(std::string::npos,
              d.find("FAT32: 0 ( 0 MB )\r\nVolné místo na svazku s FAT32:     0 ( 0 MB )"));
}

TEST_F(DrivesSection, SeparatorOfTheRegionalSettings) {
    fake.volumes.add('C', 1).space = FakeSpace{0, 1234500, 5600};
    fake.regional.separator = ".";
    k.form1.Info_o_HDD();
    EXPECT_NE(std::string::npos, report().find("FAT32: 123.45 ( 1 MB )\r\n"));
    EXPECT_NE(std::string::npos, report().find("FAT32:     0.56 ( 0 MB )\r\n"));
}

TEST_F(DrivesSection, NoReadableDriveStillAdvances) {
    fake.volumes.drives['A'] = FakeDrive{kDriveRemovable, std::nullopt, std::nullopt};
    k.form1.tb_Info.setText("R");
    k.form1.Info_o_HDD();
    EXPECT_EQ("R", report());
    EXPECT_EQ("6", k.form1.tb_Forms_show.text());
}

struct HarddiskButton : DrivesSection {};

TEST_F(HarddiskButton, OneBoxPerRootWithItsType) {
    fake.volumes.drives['A'] = FakeDrive{kDriveRemovable, std::nullopt, std::nullopt};
    fake.volumes.add('C', 1);
    fake.volumes.add('E', 2).type = kDriveRemovable;
    fake.volumes.add('F', 3).type = kDriveRemote;
    fake.volumes.add('X', 4).type = kDriveCdRom;
    k.form1.tb_Info.setText("R");
    k.form1.cmd_Harddisk.click();
    EXPECT_EQ((std::vector<std::string>{" A:\\ - Disketa.", " C:\\ - Pevný disk.",
                                        " E:\\ - Výměnný disk.", " F:\\ - Připojený (síťový) disk.",
                                        " X:\\ - CD-ROM disk."}),
              fake.dialogs.texts());
    for (const auto& box : fake.dialogs.shown) {
        EXPECT_EQ(0, box.style);
        EXPECT_EQ("Kavrona", box.title);
    }
    EXPECT_EQ("R", report());
    EXPECT_EQ("5", k.form1.tb_Forms_show.text());
}

TEST_F(HarddiskButton, EveryRootOfALongList) {
    for (char letter = 'A'; letter <= 'Z'; ++letter) fake.volumes.add(letter, letter);
    k.form1.cmd_Harddisk.click();
    ASSERT_EQ(26u, fake.dialogs.shown.size());
    EXPECT_EQ(" Z:\\ - Pevný disk.", fake.dialogs.shown.back().text);
}

TEST_F(HarddiskButton, AFailingListShowsNothing) {
    fake.volumes.add('C', 1);
    fake.volumes.listFails = true;
    k.form1.cmd_Harddisk.click();
    EXPECT_TRUE(fake.dialogs.shown.empty());
}

// The drives fact alone, without the program's windows.
TEST(DrivesFound, EachDriveKeepsItsOwnCountsAndAFailedQueryLeavesNone) {
    FakePlatform fake;
    fake.volumes.add('C', 1, "SYSTEM").space = FakeSpace{5, 80023715840, 1048577000};
    fake.volumes.add('D', 2).space.reset();
    fake.volumes.add('E', 2);  // the same serial as D: the same volume again
    fake.regional.separator = ",";
    DrivesFound found = gatherDrives(fake.volumes, fake.regional);
    ASSERT_EQ(2u, found.drives.size());
    EXPECT_EQ("C:\\", found.drives[0].root);
    EXPECT_EQ("SYSTEM", found.drives[0].label);
    EXPECT_EQ(5u, found.drives[0].space.FreeBytesAvailableToCaller);
    EXPECT_EQ(80023715840u, found.drives[0].space.TotalNumberOfBytes);
    EXPECT_EQ(1048577000u, found.drives[0].space.TotalNumberOfFreeBytes);
    EXPECT_EQ("D:\\", found.drives[1].root);
    EXPECT_EQ(0u, found.drives[1].space.TotalNumberOfBytes);
    EXPECT_EQ(0u, found.drives[1].space.TotalNumberOfFreeBytes);
    EXPECT_EQ(",", found.decimalSeparator);
}
