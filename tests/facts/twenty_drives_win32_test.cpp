// Twenty drives under Wine: C: and Z: and eighteen made for the test, of every kind the
// mount manager makes. Their root list is longer than the first buffer. Every root
// gets its box in the system's order, and every drive the section takes gets its
// block, in letter order.

#include <gtest/gtest.h>

#include <algorithm>

#include "facts/drives.h"
#include "platform/platform_win32.h"
#include "platform/wine_drives_win32.h"

namespace {

struct MadeDrive {
    char letter;
    ULONG type;
    const char* serial;
    const char* label;  // UTF-8, as .windows-label holds it
    const char* typeText;
    bool reported;  // in the drives section
};

const MadeDrive kMade[] = {
    {'D', DRIVE_FIXED, "0000D001", "Data", "Pevný disk.", true},
    {'E', DRIVE_FIXED, "0000E001", "Záloha žluťoučká", "Pevný disk.", true},
    {'F', DRIVE_FIXED, "0000E001", "", "Pevný disk.", false},  // E:'s serial right after it
    {'G', DRIVE_FIXED, "0000F001", "", "Pevný disk.", true},
    {'H', DRIVE_REMOVABLE, "00001001", "USB", "Výměnný disk.", true},
    {'I', DRIVE_CDROM, "00002001", "CD", "CD-ROM disk.", true},
    {'J', DRIVE_FIXED, "00003001", "12345678901234567890123456789012", "Pevný disk.", true},
    {'K', DRIVE_REMOTE, "00004001", "Sit", "Připojený (síťový) disk.", false},
    {'L', DRIVE_FIXED, "00005001", "", "Pevný disk.", true},
    {'M', DRIVE_FIXED, "00006001", "", "Pevný disk.", true},
    {'N', DRIVE_FIXED, "00007001", "", "Pevný disk.", true},
    {'O', DRIVE_FIXED, "00008001", "", "Pevný disk.", true},
    {'P', DRIVE_FIXED, "00009001", "", "Pevný disk.", true},
    {'Q', DRIVE_FIXED, "0000A001", "", "Pevný disk.", true},
    {'R', DRIVE_FIXED, "0000B001", "", "Pevný disk.", true},
    {'S', DRIVE_FIXED, "0000C001", "", "Pevný disk.", true},
    {'T', DRIVE_FIXED, "0000C002", "", "Pevný disk.", true},
    {'X', DRIVE_FIXED, "0000C003", "", "Pevný disk.", false},  // X: and Y: are never probed
};

std::string root(char letter) {
    return {letter, ':', '\\'};
}

// Built by appending: GCC 12 warns falsely on " " + text.
std::string box(char letter, const char* typeText) {
    std::string text = " ";
    text += root(letter);
    text += " - ";
    return text += typeText;
}

struct TwentyDrives : testing::Test {
    wine_drives::MadeDrives made;
    Win32Platform real;

    void SetUp() override {
        if (!wine_drives::underWine())
            GTEST_SKIP() << "drives are made through Wine's mount manager";
        for (const MadeDrive& d : kMade)
            ASSERT_NO_FATAL_FAILURE(made.add(d.letter, d.type, d.serial, d.label));
        char roots[26 * 4 + 1];
        ASSERT_EQ(20u * 4, GetLogicalDriveStringsA(sizeof roots, roots)) << "C:, Z: and 18 more";
    }
};

TEST_F(TwentyDrives, EveryRootGetsItsBox) {
    std::vector<std::string> boxes;
    for (const DriveRoot& drive : gatherDriveRoots(real.volumes))
        boxes.push_back(driveRootBox(drive));
    std::vector<std::string> expected = {" C:\\ - Pevný disk."};
    for (const MadeDrive& d : kMade) expected.push_back(box(d.letter, d.typeText));
    expected.push_back(" Z:\\ - Pevný disk.");
    EXPECT_EQ(expected, boxes);
}

TEST_F(TwentyDrives, SectionHasABlockForEachDriveItTakes) {
    const std::string section = drivesSection(gatherDrives(real.volumes, real.regional));
    size_t at = section.find("Statistika pro Disk: C:\\\r\n");
    ASSERT_EQ(4u, at);
    for (const MadeDrive& d : kMade) {
        std::string block = "Statistika pro Disk: ";
        for (const char* piece : {root(d.letter).c_str(), "\r\nTyp: ", d.typeText, "\r\nJmenovka: ",
                                  *d.label ? d.label : "(no label)", "\r\nSeriové číslo: "})
            block += piece;
        block.append(d.serial, 4).append("-").append(d.serial + 4).append("\r\n");
        size_t found = section.find(block);
        if (!d.reported) {
            EXPECT_EQ(std::string::npos, section.find("Disk: " + root(d.letter))) << d.letter;
            continue;
        }
        ASSERT_NE(std::string::npos, found) << block << "\nin\n" << section;
        EXPECT_GT(found, at) << "letter order";
        at = found;
    }
    EXPECT_GT(section.find("Statistika pro Disk: Z:\\\r\n"), at);
    size_t blocks = 0;
    for (size_t i = section.find("Statistika"); i != std::string::npos;
         i = section.find("Statistika", i + 1))
        ++blocks;
    EXPECT_EQ(2 + std::count_if(std::begin(kMade), std::end(kMade),
                                [](const MadeDrive& d) { return d.reported; }),
              static_cast<long>(blocks));
}

}  // namespace
