#include "facts/bios.h"

#include <gtest/gtest.h>

#include "platform/platform_fake.h"

using namespace std::string_literals;

namespace {

const char* kSystem = "Hardware\\Description\\System";

struct BiosValues : testing::Test {
    FakeRegistry registry;
    std::map<std::string, ScriptedValue>& system = registry.key(kHKeyLocalMachine, kSystem);

    RegistryResult read(ScriptedValue value) {
        system["V"] = std::move(value);
        return GetRegistryValue(registry, kHKeyLocalMachine, kSystem, "V");
    }
};

TEST_F(BiosValues, ValueTypes) {
    const struct {
        uint32_t type;
        std::string data;
        RegistryValue value;
    } cases[] = {
        {1, "07/15/95\0"s, "07/15/95"s},
        {1, "Škoda\0"s, "Škoda"s},
        {2, "%SystemRoot%\0"s, "%SystemRoot%"s},  // not expanded
        {3, "\x01\x00\xFF"s, std::vector<uint8_t>{1, 0, 255}},
        {4, "\x78\x56\x34\x12"s, int32_t{0x12345678}},
        {4, "\xFF\xFF\xFF\xFF"s, int32_t{-1}},
        {7, "AMI\0Ver 1\0\0"s, "AMI\0Ver 1"s},
        {7, "\0\0"s, ""s},
        // Stored without terminators: every character stays.
        {1, "ABC"s, "ABC"s},
        {7, "AB\0CD\0"s, "AB\0CD"s},
        {7, "AB\0CD"s, "AB\0CD"s},
    };
    for (const auto& c : cases) {
        int closed = registry.closed;
        RegistryResult r = read({c.type, c.data, {}});
        EXPECT_FALSE(r.error) << c.type;
        EXPECT_EQ(c.value, r.value) << c.type;
        EXPECT_EQ(closed + 1, registry.closed);
    }
}

TEST_F(BiosValues, ValuesThatCannotBeRead) {
    const struct {
        uint32_t type;
        std::string data;
        int32_t error;
    } cases[] = {
        {1, "", 5},        {2, "", 5},     {7, "\0"s, 5},      {7, "", 5},
        {7, "č", 5},       {3, "", 9},     {4, "\1\2"s, 1001}, {0, "x", 1001},
        {5, "abcd", 1001}, {6, "x", 1001}, {8, "x", 1001},     {11, "12345678", 1001},
    };
    for (const auto& c : cases) {
        int closed = registry.closed;
        RegistryResult r = read({c.type, c.data, {}});
        ASSERT_TRUE(r.error) << c.type;
        EXPECT_EQ(c.error, r.error->number) << c.type;
        EXPECT_EQ(closed + 1, registry.closed);
    }
    RegistryResult unknown = read({0, "x", {}});
    EXPECT_EQ("Neznámý typ hodnoty", unknown.error->description);
}

TEST_F(BiosValues, MissingValueIsAnUnknownTypeAndMissingKeyTheDefault) {
    RegistryResult missing = GetRegistryValue(registry, kHKeyLocalMachine, kSystem, "None");
    ASSERT_TRUE(missing.error);
    EXPECT_EQ(1001, missing.error->number);
    EXPECT_EQ(1, registry.closed);
    RegistryResult noKey =
        GetRegistryValue(registry, kHKeyLocalMachine, "Hardware\\Nowhere", "V", int32_t{7});
    EXPECT_FALSE(noKey.error);
    EXPECT_EQ(RegistryValue{int32_t{7}}, noKey.value);
}

TEST_F(BiosValues, DataLargerThanTheFirstBufferIsAskedForAgain) {
    std::string text(2000, 'v');
    RegistryResult r = read({1, text + '\0', {}});
    EXPECT_EQ(RegistryValue{text}, r.value);
    EXPECT_EQ((std::vector<std::pair<std::string, uint32_t>>{{"V", 1024}, {"V", 2001}}),
              registry.queries);
}

TEST_F(BiosValues, ASecondQueryThatFailsIsAnError) {
    RegistryResult r =
        read({1, "", {{kErrorMoreData, 1, 3000, {}}, {kErrorMoreData, 1, 4000, {}}}});
    ASSERT_TRUE(r.error);
    EXPECT_EQ(1001, r.error->number);
    EXPECT_EQ(2u, registry.queries.size());
}

TEST_F(BiosValues, AReportedLengthBeyondTheDataIsCutToIt) {
    RegistryResult r = read({1, "", {{kErrorSuccess, 1, 5000, "ab\0"s}}});
    EXPECT_EQ(RegistryValue{"ab"s}, r.value);
    r = read({4, "", {{kErrorSuccess, 4, 4096, "\1\0"s}}});
    ASSERT_TRUE(r.error);
}

TEST_F(BiosValues, MissingDateMeansTheVersionIsNotRead) {
    system["SystemBiosVersion"] = {1, "V2\0"s, {}};
    std::string date = "d", version = "v";
    std::optional<RegistryError> e = GetBiosInfo(registry, date, version);
    ASSERT_TRUE(e);
    EXPECT_EQ(1001, e->number);
    EXPECT_EQ("d", date);
    EXPECT_EQ("v", version);
    ASSERT_EQ(1u, registry.queries.size());
    EXPECT_EQ("SystemBiosDate", registry.queries[0].first);
}

TEST_F(BiosValues, VersionLinesAndSection) {
    EXPECT_EQ("AMI BIOS\r\nVer 1.0", biosVersionLines("AMI BIOS\0Ver 1.0"s));
    EXPECT_EQ("\r\n\r\nBIOS: \r\nAMI\r\n", biosSection("AMI"));
}

}  // namespace
