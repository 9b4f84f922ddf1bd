#include "facts/processor_details.h"

#include <gtest/gtest.h>

#include "platform/wmi_fake.h"
#include "support/full_processor.h"

namespace {

using Props = std::map<std::string, WmiValue, NoCaseLess>;

Props fullCpu() {
    return fullProcessor("Intel(R) Core(TM) i5  ");
}

std::string detailsOf(Props properties) {
    FakeWmi wmi;
    wmi.processors = {{"cpu", std::move(properties)}};
    auto cpus = wmi.connect().value()->instancesOf("Win32_Processor");
    auto cpu = cpus.value()->item("cpu");
    return ProcesorDetails(cpu.value().get());
}

}  // namespace

TEST(ProcesorTitle, OneIsSingularEveryOtherCountPlural) {
    EXPECT_EQ("1 procesor detekován na tomto stroji.", ProcesorTitle(1));
    for (int n : {0, 2, 3, 5, 64})
        EXPECT_EQ(std::to_string(n) + " procesory detekovány na tomto stroji.", ProcesorTitle(n));
}

TEST(ProcesorDetails, ElevenLinesWithUnitAndNoFinalLineEnd) {
    EXPECT_EQ(
        "Procesor: Intel(R) Core(TM) i5  \r\n"
        "Popis: x64 Family 6 Model 158\r\n"
        "ID procesoru: BFEBFBFF000906EA\r\n"
        "Stav OK\r\n"
        "Výrobce: GenuineIntel\r\n"
        "Využití: 7\r\n"
        "Rychlost: 2800   MHz\r\n"
        "Maximální rychlost: 4294967295\r\n"
        "Velikost Level 2 Cache: 1024\r\n"
        "Rychlost Level 2 Cache: 0\r\n"
        "Podpora řízení spotřeby: False",
        detailsOf(fullCpu()));
    Props props = fullCpu();
    props["PowerManagementSupported"] = WmiValue::ofBoolean(true);
    EXPECT_TRUE(detailsOf(props).ends_with("\r\nPodpora řízení spotřeby: True"));
}

TEST(ProcesorDetails, MissingPropertyDropsItsLine) {
    Props props = fullCpu();
    props.erase("ProcessorId");
    std::string details = detailsOf(props);
    EXPECT_EQ(std::string::npos, details.find("ID procesoru"));
    EXPECT_NE(std::string::npos, details.find("Popis: x64 Family 6 Model 158\r\nStav OK\r\n"));

    props.erase("Name");
    EXPECT_TRUE(detailsOf(props).starts_with("Popis: "));
}

TEST(ProcesorDetails, WhatWineLacksLeavesSixLines) {
    Props props = fullCpu();
    for (const char* lacking :
         {"Status", "LoadPercentage", "L2CacheSize", "L2CacheSpeed", "PowerManagementSupported"})
        props.erase(lacking);
    EXPECT_EQ(
        "Procesor: Intel(R) Core(TM) i5  \r\n"
        "Popis: x64 Family 6 Model 158\r\n"
        "ID procesoru: BFEBFBFF000906EA\r\n"
        "Výrobce: GenuineIntel\r\n"
        "Rychlost: 2800   MHz\r\n"
        "Maximální rychlost: 4294967295\r\n",
        detailsOf(props));
}

TEST(ProcesorDetails, NullValueLeavesLabelAlone) {
    Props props = fullCpu();
    props["L2CacheSpeed"] = WmiValue{};
    props["CurrentClockSpeed"] = WmiValue{};
    props["PowerManagementSupported"] = WmiValue{};
    std::string details = detailsOf(props);
    EXPECT_NE(std::string::npos, details.find("\r\nRychlost Level 2 Cache: \r\nPodpora"));
    EXPECT_NE(std::string::npos, details.find("\r\nRychlost: \r\nMaximální"));
    EXPECT_TRUE(details.ends_with("\r\nPodpora řízení spotřeby: "));
}

TEST(ProcesorDetails, NoProcessorNoLines) {
    EXPECT_EQ("", ProcesorDetails(nullptr));
    EXPECT_EQ("", detailsOf({}));
}

TEST(EveryProcessor, EachPropertyOfTheWindowInItsOrderOrWhyItIsMissing) {
    FakeWmi wmi;
    Props lacking = fullCpu();
    lacking.erase("Status");
    lacking["LoadPercentage"] = WmiValue{};
    wmi.processors = {{"cpu0", fullCpu()}, {"cpu1", lacking}};
    ProcessorsFound found = gatherProcessors(wmi);
    ASSERT_FALSE(found.failure);
    ASSERT_EQ(2u, found.processors.size());
    const std::vector<ProcessorProperty> properties = processorProperties();
    ASSERT_EQ(11u, properties.size());
    EXPECT_STREQ("Name", properties.front().name);
    EXPECT_STREQ("PowerManagementSupported", properties.back().name);
    for (size_t i = 0; i < properties.size(); ++i) {
        WmiResult<WmiValue>& value = found.processors[0][i];
        ASSERT_TRUE(value.ok()) << properties[i].name;
        EXPECT_EQ(properties[i].kind, value.value().kind) << properties[i].name;
    }
    EXPECT_EQ("Intel(R) Core(TM) i5  ", found.processors[0][0].value().text);
    EXPECT_EQ(4294967295, found.processors[0][7].value().integer);
    EXPECT_FALSE(found.processors[1][3].ok());
    EXPECT_EQ(kWmiNotFound, found.processors[1][3].failure());
    EXPECT_EQ(WmiValue::Kind::Null, found.processors[1][5].value().kind);
}

TEST(EveryProcessor, AListingThatFailsGivesNoneNotAPart) {
    for (const char* call : {"connect", "instancesOf", "forEach", "forEach end"}) {
        FakeWmi wmi;
        wmi.processors = {{"cpu0", fullCpu()}, {"cpu1", fullCpu()}};
        wmi.failing[call] = "0x80041003";
        ProcessorsFound found = gatherProcessors(wmi);
        EXPECT_EQ("0x80041003", found.failure.value_or("")) << call;
        EXPECT_TRUE(found.processors.empty()) << call;
    }
}
