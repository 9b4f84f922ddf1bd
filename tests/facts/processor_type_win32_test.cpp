#include <gtest/gtest.h>

#include "app/real_program_win32.h"

TEST(ProcesorTypeWin32, WineX64ReportsACodeOutsideTheTable) {
    RealProgram program;
    program.k.form1.Command1.click();
    EXPECT_EQ(std::vector<std::string>{"8664"}, program.dialogs.texts());
}
