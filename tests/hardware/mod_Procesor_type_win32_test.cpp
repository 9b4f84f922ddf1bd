#include <gtest/gtest.h>

#include "app/real_program_win32.h"

// Wine hands a 64-bit process the machine's own code, outside the table, and a 32-bit
// one the Pentium's.
TEST(ProcesorTypeWin32, WineReportsTheCodeOfTheBuildsProcessor) {
    RealProgram program;
    program.k.form1.Command1.click();
#ifdef _WIN64
    EXPECT_EQ(std::vector<std::string>{"8664"}, program.dialogs.texts());
#else
    EXPECT_EQ(std::vector<std::string>{"Procesor: INTEL PENTIUM"}, program.dialogs.texts());
#endif
}
