#include "facts/processor_type.h"
#include "app/fake_kavrona.h"

#include <gtest/gtest.h>

#include "app/kavrona.h"
#include "platform/platform_fake.h"

namespace {

struct ProcesorTypeTest : FakeKavrona {
    void SetUp() override {
        k.start();
        k.form1.tb_Info.setText("report\r\n");
    }
};

TEST_F(ProcesorTypeTest, CodeGivesItsText) {
    struct Case {
        uint32_t code;
        std::string text;
    } cases[] = {
        {386, "Procesor: INTEL 386"},
        {486, "Procesor: INTEL 486"},
        {586, "Procesor: INTEL PENTIUM"},
        {4000, "Procesor: MIPS R4000"},
        {21064, "Procesor: ALPHA 21064"},
        {0, "0"},
        {8664, "8664"},
        {0xFFFFFFFFu, "-1"},
        {2200, "2200"},
    };
    for (const Case& c : cases) {
        fake.dialogs.shown.clear();
        fake.system.processorType = c.code;
        k.form1.Command1.click();
        ASSERT_EQ(1u, fake.dialogs.shown.size());
        EXPECT_EQ(c.text, fake.dialogs.shown[0].text) << c.code;
        EXPECT_EQ(kOkOnly, fake.dialogs.shown[0].style);
        EXPECT_EQ("Kavrona", fake.dialogs.shown[0].title);
    }
    EXPECT_EQ("report\r\n", k.form1.tb_Info.text());
}

TEST_F(ProcesorTypeTest, EveryPressReadsTheSystemAnew) {
    k.form1.Command1.click();
    fake.system.processorType = 4000;
    k.form1.Command1.click();
    EXPECT_EQ(2u, fake.system.calls);
    EXPECT_EQ((std::vector<std::string>{"Procesor: INTEL PENTIUM", "Procesor: MIPS R4000"}),
              fake.dialogs.texts());
}

}  // namespace
