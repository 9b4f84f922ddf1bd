#include "facts/system_folders.h"

#include <gtest/gtest.h>

#include "platform/platform_fake.h"

namespace {

TEST(CutAtNull, CutsAtTheFirstZero) {
    using namespace std::string_literals;
    EXPECT_EQ("C:\\WINDOWS", Module1::CutAtNull("C:\\WINDOWS\0   \0 "s));
    EXPECT_EQ("", Module1::CutAtNull("\0abc"s));
    EXPECT_EQ("no zero", Module1::CutAtNull("no zero"));
    EXPECT_EQ("", Module1::CutAtNull(""));
}

TEST(WindowsDirsTest, ThreeBoxesInOrder) {
    FakeDirectories folders;
    EXPECT_EQ(
        (std::vector<std::string>{"C:\\WINDOWS", "C:\\WINDOWS\\TEMP\\", "C:\\WINDOWS\\system32"}),
        Module1::WindowsDirBoxes(Module1::GetWindowsDirs(folders)));
    EXPECT_EQ("WTS", folders.asked);
}

TEST(WindowsDirsTest, FolderOf255FitsAnd256GivesSpaces) {
    FakeDirectories folders;
    std::string fits = "C:\\" + std::string(252, 'w');
    std::string tooLong = "C:\\" + std::string(253, 't');
    folders.windows = fits;
    folders.temp = tooLong;
    folders.system = "C:\\Oknač";
    EXPECT_EQ((std::vector<std::string>{fits, std::string(256, ' '), "C:\\Oknač"}),
              Module1::WindowsDirBoxes(Module1::GetWindowsDirs(folders)));
}

}  // namespace
