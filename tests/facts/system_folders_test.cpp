#include "facts/system_folders.h"
#include "app/fake_kavrona.h"

#include <gtest/gtest.h>

#include "app/kavrona.h"
#include "platform/platform_fake.h"

namespace {

TEST(CutAtNull, CutsAtTheFirstZero) {
    using namespace std::string_literals;
    EXPECT_EQ("C:\\WINDOWS", Module1::CutAtNull("C:\\WINDOWS\0   \0 "s));
    EXPECT_EQ("", Module1::CutAtNull("\0abc"s));
    EXPECT_EQ("no zero", Module1::CutAtNull("no zero"));
    EXPECT_EQ("", Module1::CutAtNull(""));
}

struct WindowsDirsTest : FakeKavrona {
    void SetUp() override {
        k.start();
        k.form1.tb_Info.setText("report");
    }
};

TEST_F(WindowsDirsTest, ThreeBoxesInOrder) {
    k.form1.Command2.click();
    EXPECT_EQ(
        (std::vector<std::string>{"C:\\WINDOWS", "C:\\WINDOWS\\TEMP\\", "C:\\WINDOWS\\system32"}),
        fake.dialogs.texts());
    EXPECT_EQ("WTS", fake.directories.asked);
    for (const ShownMessage& m : fake.dialogs.shown) {
        EXPECT_EQ(kOkOnly, m.style);
        EXPECT_EQ("Kavrona", m.title);
    }
    EXPECT_EQ("report", k.form1.tb_Info.text());
}

TEST_F(WindowsDirsTest, FolderOf255FitsAnd256GivesSpaces) {
    std::string fits = "C:\\" + std::string(252, 'w');
    std::string tooLong = "C:\\" + std::string(253, 't');
    fake.directories.windows = fits;
    fake.directories.temp = tooLong;
    fake.directories.system = "C:\\Oknač";
    k.form1.Command2.click();
    EXPECT_EQ((std::vector<std::string>{fits, std::string(256, ' '), "C:\\Oknač"}),
              fake.dialogs.texts());
}

}  // namespace
