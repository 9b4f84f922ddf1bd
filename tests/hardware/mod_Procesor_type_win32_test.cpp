#include <gtest/gtest.h>

#include "app/win32_kavrona.h"

TEST(ProcesorTypeWin32, WineX64ReportsACodeOutsideTheTable) {
    Win32Kavrona program;
    program.k.form1.Command1.click();
    EXPECT_EQ(std::vector<std::string>{"8664"}, program.dialogs.texts());
}
