#include "facts/system_folders.h"

#include <gtest/gtest.h>

#include "platform/platform_win32.h"

TEST(WindowsDirsWin32, ThreeBoxesInOrder) {
    Win32Platform real;
    std::vector<std::string> texts =
        Module1::WindowsDirBoxes(Module1::GetWindowsDirs(real.directories));
    ASSERT_EQ(3u, texts.size());
    EXPECT_EQ("C:\\windows", texts[0]);
    EXPECT_TRUE(texts[1].starts_with("C:\\users\\") && texts[1].ends_with("\\Temp\\")) << texts[1];
    EXPECT_EQ("C:\\windows\\system32", texts[2]);
}
