#include "facts/drives.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>

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

TEST(WordHalves, SignedHalvesOfAValue) {
    const struct {
        uint32_t dw;
        int16_t hi, lo;
    } cases[] = {
        {0x1234FFFF, 0x1234, -1},
        {0xFFFF0000, -1, 0},
        {0x80000000, -32768, 0},
        {0x17FFF, 1, 32767},
        {0x18000, 1, -32768},
        {0xFFFF, 0, -1},
        {0, 0, 0},
        {0xFFFFFFFF, -1, -1},
        {0x7FFF8000, 32767, -32768},
    };
    for (const auto& c : cases) {
        auto dw = static_cast<int32_t>(c.dw);
        EXPECT_EQ(c.hi, GetHiWord(dw)) << std::hex << c.dw;
        EXPECT_EQ(c.lo, GetLoWord(dw)) << std::hex << c.dw;
    }
}

struct DrivesSection : testing::Test {
    FakePlatform fake;

    std::string report() { return drivesSection(gatherDrives(fake.volumes, fake.regional)); }
    std::vector<std::string> rootBoxes() {
        std::vector<std::string> boxes;
        for (const DriveRoot& drive : gatherDriveRoots(fake.volumes))
            boxes.push_back(driveRootBox(drive));
        return boxes;
    }
    std::string reportedRoots() {  // "CE" when C:\ and E:\ have blocks
        std::string out, text = report(), head = "Statistika pro Disk: ";
        for (size_t at = text.find(head); at != std::string::npos; at = text.find(head, at + 1))
            out += text[at + head.size()];
        return out;
    }
};

TEST_F(DrivesSection, BlockToTheByte) {
    FakeDrive& c = fake.volumes.add('C', 0x12AB00CD, "SYSTEM");
    c.space = FakeSpace{5, 80023715840, 1048577000};
    EXPECT_EQ(
        "\r\n\r\n"
        "Statistika pro Disk: C:\\\r\n"
        "Typ: Pevný disk.\r\n"
        "Jmenovka: SYSTEM\r\n"
        "Seriové číslo: 12AB-00CD\r\n"
        "Celkové místo na svazku s FAT32: 8002371,584 ( 76 GB )\r\n"
        "Volné místo na svazku s FAT32:     104857,7 ( 1 GB )\r\n",
        report());
}

TEST_F(DrivesSection, BlocksAreSeparatedByTwoEmptyLines) {
    fake.volumes.add('C', 1);
    fake.volumes.add('D', 2);
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
        EXPECT_EQ(c.reported, reportedRoots()) << c.reported;
    }
}

TEST_F(DrivesSection, NetworkDrivesAreQueriedButLeftOut) {
    fake.volumes.add('C', 1);
    fake.volumes.add('F', 2).type = kDriveRemote;
    fake.volumes.add('G', 3);
    EXPECT_EQ("CG", reportedRoots());
    std::vector<std::string> fCalls;
    for (const auto& call : fake.volumes.calls)
        if (call.ends_with("F:\\")) fCalls.push_back(call);
    EXPECT_EQ((std::vector<std::string>{"volume F:\\", "space F:\\", "type F:\\"}), fCalls);
}

TEST_F(DrivesSection, XAndYAreNeverProbed) {
    for (char letter : {'W', 'X', 'Y', 'Z'}) fake.volumes.add(letter, letter);
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
        EXPECT_NE(std::string::npos, report().find("\r\nJmenovka: "s + c.shown + "\r\n"))
            << c.shown;
    }
}

TEST_F(DrivesSection, AFailingSpaceQueryShowsZeroNotThePreviousDrive) {
    fake.volumes.add('C', 1).space = FakeSpace{1, 80023715840, 1048577000};
    fake.volumes.add('D', 2).space.reset();
    std::string d = report().substr(report().find("Disk: D:\\"));
    EXPECT_NE(std::string::npos,
              d.find("FAT32: 0 ( 0 MB )\r\nVolné místo na svazku s FAT32:     0 ( 0 MB )"));
}

TEST_F(DrivesSection, SeparatorOfTheRegionalSettings) {
    fake.volumes.add('C', 1).space = FakeSpace{0, 1234500, 5600};
    fake.regional.separator = ".";
    EXPECT_NE(std::string::npos, report().find("FAT32: 123.45 ( 1 MB )\r\n"));
    EXPECT_NE(std::string::npos, report().find("FAT32:     0.56 ( 0 MB )\r\n"));
}

TEST_F(DrivesSection, NoReadableDriveGivesNothing) {
    fake.volumes.drives['A'] = FakeDrive{kDriveRemovable, std::nullopt, std::nullopt};
    EXPECT_EQ("", report());
}

struct HarddiskButton : DrivesSection {};

TEST_F(HarddiskButton, OneBoxPerRootWithItsType) {
    fake.volumes.drives['A'] = FakeDrive{kDriveRemovable, std::nullopt, std::nullopt};
    fake.volumes.add('C', 1);
    fake.volumes.add('E', 2).type = kDriveRemovable;
    fake.volumes.add('F', 3).type = kDriveRemote;
    fake.volumes.add('X', 4).type = kDriveCdRom;
    EXPECT_EQ((std::vector<std::string>{" A:\\ - Disketa.", " C:\\ - Pevný disk.",
                                        " E:\\ - Výměnný disk.", " F:\\ - Připojený (síťový) disk.",
                                        " X:\\ - CD-ROM disk."}),
              rootBoxes());
}

TEST_F(HarddiskButton, EveryRootOfALongList) {
    for (char letter = 'A'; letter <= 'Z'; ++letter) fake.volumes.add(letter, letter);
    std::vector<std::string> boxes = rootBoxes();
    ASSERT_EQ(26u, boxes.size());
    EXPECT_EQ(" Z:\\ - Pevný disk.", boxes.back());
}

TEST_F(HarddiskButton, AFailingListShowsNothing) {
    fake.volumes.add('C', 1);
    fake.volumes.listFails = true;
    EXPECT_TRUE(rootBoxes().empty());
}

TEST_F(DrivesSection, EachDriveKeepsItsOwnCountsAndAFailedQueryLeavesNone) {
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

struct EveryDrive : DrivesSection {};

TEST_F(EveryDrive, EveryListedRootWithWhatCouldBeReadOfIt) {
    fake.volumes.drives['A'] = FakeDrive{kDriveRemovable, std::nullopt, std::nullopt};
    fake.volumes.add('C', 0x12AB00CD, "SYSTEM").space = FakeSpace{5, 80023715840, 1048577000};
    fake.volumes.add('D', 0x12AB00CD, "  ").space.reset();  // C:'s serial again, a blank label
    fake.volumes.add('K', 7, "Síť").type = kDriveRemote;
    fake.volumes.add('X', 8);
    std::optional<std::vector<DriveRecord>> found = gatherEveryDrive(fake.volumes);
    ASSERT_TRUE(found);
    ASSERT_EQ(5u, found->size());
    const DriveRecord &a = (*found)[0], &c = (*found)[1], &d = (*found)[2], &k = (*found)[3];
    EXPECT_EQ("A:\\", a.root);
    EXPECT_EQ(kDriveRemovable, a.type);
    EXPECT_EQ("Disketa.", a.typeText);
    EXPECT_FALSE(a.volumeRead);
    EXPECT_FALSE(a.spaceRead);
    EXPECT_TRUE(c.volumeRead && c.spaceRead);
    EXPECT_EQ("SYSTEM", c.label);
    EXPECT_EQ("12AB-00CD", c.serial);
    EXPECT_EQ(80023715840u, c.space.TotalNumberOfBytes);
    EXPECT_EQ(1048577000u, c.space.TotalNumberOfFreeBytes);
    EXPECT_TRUE(d.volumeRead);
    EXPECT_EQ("  ", d.label);
    EXPECT_EQ("12AB-00CD", d.serial);
    EXPECT_FALSE(d.spaceRead);
    EXPECT_EQ("Připojený (síťový) disk.", k.typeText);
    EXPECT_EQ("Síť", k.label);
    EXPECT_EQ("X:\\", (*found)[4].root);
    std::vector<char> probed = fake.volumes.probed();  // K's on a thread of its own
    std::sort(probed.begin(), probed.end());
    EXPECT_EQ((std::vector<char>{'A', 'C', 'D', 'K', 'X'}), probed);
}

// However many servers are gone, the list waits for them once, and the drives that
// answer keep what they said.
TEST_F(EveryDrive, NetworkDrivesThatDoNotAnswerCostOnePatienceInAll) {
    using namespace std::chrono_literals;
    for (int gone : {1, 4}) {
        FakePlatform os;
        os.volumes.add('C', 1, "SYSTEM");
        os.volumes.add('H', 2, "Domov").type = kDriveRemote;
        std::string hanging;
        for (int i = 0; i < gone; ++i) {
            FakeDrive& dead = os.volumes.add(static_cast<char>('P' + i), 3);
            dead.type = kDriveRemote;
            dead.hangs = true;
            hanging += static_cast<char>('P' + i);
        }
        const auto start = std::chrono::steady_clock::now();
        std::optional<std::vector<DriveRecord>> found = gatherEveryDrive(os.volumes, 300ms);
        const auto took = std::chrono::steady_clock::now() - start;
        EXPECT_GE(took, 300ms) << gone;
        EXPECT_LT(took, 2s) << gone;
        ASSERT_TRUE(found);
        ASSERT_EQ(size_t(2 + gone), found->size());
        for (const DriveRecord& d : *found) {
            const bool dead = hanging.find(d.root[0]) != std::string::npos;
            EXPECT_EQ(!dead, d.answered) << d.root;
            EXPECT_EQ(!dead, d.volumeRead) << d.root;
            EXPECT_EQ(kDriveRemote == d.type ? "Připojený (síťový) disk." : "Pevný disk.",
                      d.typeText);
        }
        EXPECT_EQ("Domov", (*found)[1].label);
    }
}

TEST_F(EveryDrive, AFailingListGivesNoneAtAll) {
    fake.volumes.add('C', 1);
    fake.volumes.listFails = true;
    EXPECT_FALSE(gatherEveryDrive(fake.volumes));
}
