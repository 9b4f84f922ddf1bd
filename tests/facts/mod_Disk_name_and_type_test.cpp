#include "facts/mod_Disk_name_and_type.h"

#include <gtest/gtest.h>

#include "platform/platform_fake.h"

using namespace mod_Disk_name_and_type;
using namespace std::string_literals;

struct DiskNameAndType : testing::Test {
    FakePlatform fake;
    Platform os = fake.platform();
};

TEST_F(DiskNameAndType, TypeTexts) {
    const struct {
        uint32_t code;
        const char* root;
        const char* text;
    } cases[] = {
        {0, "C:\\", "Typ disku nemohl být zjištěn."},
        {1, "C:\\", "Hlavní adresář nevytvořen."},
        {2, "A:\\", "Disketa."},
        {2, "b:\\", "Disketa."},
        {2, "E:\\", "Výměnný disk."},
        {2, "C:\\", "Výměnný disk."},
        {3, "C:\\", "Pevný disk."},
        {4, "F:\\", "Připojený (síťový) disk."},
        {5, "D:\\", "CD-ROM disk."},
        {6, "R:\\", "RAM disk."},
        {7, "C:\\", ""},
        {0xFFFFFFFF, "C:\\", ""},
    };
    for (const auto& c : cases) {
        fake.volumes.drives[static_cast<char>(std::toupper(c.root[0]))].type = c.code;
        EXPECT_EQ(c.text, GetDriveTypeText(fake.volumes, c.root)) << c.code << ' ' << c.root;
    }
}

TEST_F(DiskNameAndType, NextDriveTakesTheFirstRootOff) {
    std::string list = "A:\\\0C:\\\0\0"s;
    EXPECT_EQ("A:\\", GetNextDrive(list));
    EXPECT_EQ("C:\\\0\0"s, list);
    EXPECT_EQ("C:\\", GetNextDrive(list));
    EXPECT_EQ("\0"s, list);
}

TEST_F(DiskNameAndType, DriveListAsTheSystemWritesIt) {
    for (char letter : {'A', 'C', 'D'}) fake.volumes.add(letter, 1);
    EXPECT_EQ("A:\\\0C:\\\0D:\\\0\0"s, GetDriveList(fake.volumes));
}

TEST_F(DiskNameAndType, ALongListIsAskedForAgainWithTheSizeNeeded) {
    for (char letter = 'C'; letter <= 'T'; ++letter) fake.volumes.add(letter, 1);
    std::string list = GetDriveList(fake.volumes);
    EXPECT_EQ(18u * 4 + 1, list.size());
    EXPECT_TRUE(list.starts_with("C:\\\0D:\\\0"s));
    EXPECT_TRUE(list.ends_with("T:\\\0\0"s));
    EXPECT_EQ(2, std::count(fake.volumes.calls.begin(), fake.volumes.calls.end(), "list"));
}
