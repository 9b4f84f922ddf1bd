// The drives section and the drive boxes on drives made in the running Wine session.

#include <gtest/gtest.h>

#include <algorithm>

#include "facts/drives.h"
#include "platform/platform_win32.h"
#include "platform/wine_drives_win32.h"

struct WineDrives : testing::Test {
    wine_drives::MadeDrives made;
    Win32Platform real;

    void SetUp() override {
        if (!wine_drives::underWine())
            GTEST_SKIP() << "drives are made through Wine's mount manager";
    }
    void addDrive(char letter, ULONG type, const std::string& serial,
                  const std::string& label = {}) {
        made.add(letter, type, serial, label);
    }
    std::string drivesSection() {
        return ::drivesSection(gatherDrives(real.volumes, real.regional));
    }
    static bool reported(const std::string& section, char letter) {
        return section.find("Statistika pro Disk: " + std::string{letter, ':', '\\'}) !=
               std::string::npos;
    }
};

TEST_F(WineDrives, SameSerialRightAfterAnotherIsLeftOut) {
    addDrive('P', DRIVE_FIXED, "12AB00CD", "Systém");
    addDrive('Q', DRIVE_FIXED, "12AB00CD");
    addDrive('R', DRIVE_FIXED, "0000FFFF");
    std::string section = drivesSection();
    EXPECT_TRUE(reported(section, 'C'));
    EXPECT_NE(std::string::npos, section.find("Statistika pro Disk: P:\\\r\nTyp: Pevný disk.\r\n"
                                              "Jmenovka: Systém\r\nSeriové číslo: 12AB-00CD\r\n"));
    EXPECT_FALSE(reported(section, 'Q'));
    EXPECT_NE(std::string::npos,
              section.find("Disk: R:\\\r\nTyp: Pevný disk.\r\nJmenovka: (no label)\r\n"
                           "Seriové číslo: 0000-FFFF\r\n"));
}

TEST_F(WineDrives, NetworkDriveIsListedButNotReported) {
    addDrive('N', DRIVE_REMOTE, "0000ABCD");
    EXPECT_FALSE(reported(drivesSection(), 'N'));
    std::vector<std::string> boxes;
    for (const DriveRoot& drive : gatherDriveRoots(real.volumes))
        boxes.push_back(driveRootBox(drive));
    EXPECT_NE(boxes.end(),
              std::find(boxes.begin(), boxes.end(), " N:\\ - Připojený (síťový) disk."));
}

TEST_F(WineDrives, XAndYAreNeverProbed) {
    addDrive('X', DRIVE_FIXED, "0000AAAA");
    addDrive('Y', DRIVE_FIXED, "0000BBBB");
    std::string section = drivesSection();
    EXPECT_FALSE(reported(section, 'X'));
    EXPECT_FALSE(reported(section, 'Y'));
    EXPECT_EQ(reported(section, 'Z'), (GetLogicalDrives() & (1u << 25)) != 0);
}

TEST_F(WineDrives, ADriveIsReadWhileItIsThereAndNotOnceItIsGone) {
    addDrive('K', DRIVE_FIXED, "0000CAFE", "Data");
    EXPECT_TRUE(reported(drivesSection(), 'K'));
    ASSERT_TRUE(wine_drives::defineDrive('K', DRIVE_NO_ROOT_DIR, ""));
    EXPECT_FALSE(reported(drivesSection(), 'K'));
    std::string label(261, ' ');
    uint32_t serial = 7;
    EXPECT_FALSE(real.volumes.getVolumeInformation("K:\\", label, serial));
    EXPECT_EQ(7u, serial);
    EXPECT_EQ(std::string(261, ' '), label);
}
