#include <gtest/gtest.h>

#include "app/real_program_win32.h"

TEST(WindowsDirsWin32, ThreeBoxesInOrder) {
    RealProgram program;
    program.k.form1.Command2.click();
    std::vector<std::string> texts = program.dialogs.texts();
    ASSERT_EQ(3u, texts.size());
    EXPECT_EQ("C:\\windows", texts[0]);
    EXPECT_TRUE(texts[1].starts_with("C:\\users\\") && texts[1].ends_with("\\Temp\\")) << texts[1];
    EXPECT_EQ("C:\\windows\\system32", texts[2]);
    for (const ShownMessage& m : program.dialogs.shown) EXPECT_EQ("Kavrona", m.title);
}
