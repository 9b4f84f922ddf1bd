#include "facts/processor_type.h"

#include <gtest/gtest.h>

#include "platform/platform_fake.h"

namespace {

TEST(ProcesorTypeTest, CodeGivesItsText) {
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
    FakeSystemInfo system;
    for (const Case& c : cases) {
        system.processorType = c.code;
        EXPECT_EQ(c.text, ProcessorTypeText(GetProcessorType(system))) << c.code;
    }
}

TEST(ProcesorTypeTest, EveryCallReadsTheSystemAnew) {
    FakeSystemInfo system;
    std::vector<std::string> texts{ProcessorTypeText(GetProcessorType(system))};
    system.processorType = 4000;
    texts.push_back(ProcessorTypeText(GetProcessorType(system)));
    EXPECT_EQ(2u, system.calls);
    EXPECT_EQ((std::vector<std::string>{"Procesor: INTEL PENTIUM", "Procesor: MIPS R4000"}), texts);
}

}  // namespace
