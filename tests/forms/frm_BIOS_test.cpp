#include "forms/frm_BIOS.h"
#include "app/fake_kavrona.h"

#include "facts/bios.h"

#include <gtest/gtest.h>

#include "app/step_alone.h"

#include "app/kavrona.h"
#include "platform/platform_fake.h"

using namespace std::string_literals;

namespace {

const char* kSystem = "Hardware\\Description\\System";

}  // namespace

struct BiosWindow : FakeKavrona {
    std::map<std::string, ScriptedValue>& system = fake.registry.key(kHKeyLocalMachine, kSystem);

    void SetUp() override { k.start(); }
    void setBios(ScriptedValue date, ScriptedValue version) {
        system["SystemBiosDate"] = std::move(date);
        system["SystemBiosVersion"] = std::move(version);
    }
    RegistryResult read(ScriptedValue value) {
        system["V"] = std::move(value);
        return GetRegistryValue(fake.registry, kHKeyLocalMachine, kSystem, "V");
    }
    void runAsStep3() {
        k.form1.tb_Bios_info.setText("Ne");
        atStepAlone(k.form1, "3");
        k.bios.show();
    }
};

TEST_F(BiosWindow, ValueTypes) {
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
        int closed = fake.registry.closed;
        RegistryResult r = read({c.type, c.data, {}});
        EXPECT_FALSE(r.error) << c.type;
        EXPECT_EQ(c.value, r.value) << c.type;
        EXPECT_EQ(closed + 1, fake.registry.closed);
    }
}

TEST_F(BiosWindow, ValuesThatCannotBeRead) {
    const struct {
        uint32_t type;
        std::string data;
        int32_t error;
    } cases[] = {
        {1, "", 5},     {2, "", 5},         {7, "\0"s, 5},          {7, "", 5},
        {3, "", 9},     {4, "\1\2"s, 1001}, {0, "x", 1001},         {5, "abcd", 1001},
        {6, "x", 1001}, {8, "x", 1001},     {11, "12345678", 1001},
    };
    for (const auto& c : cases) {
        int closed = fake.registry.closed;
        RegistryResult r = read({c.type, c.data, {}});
        ASSERT_TRUE(r.error) << c.type;
        EXPECT_EQ(c.error, r.error->number) << c.type;
        EXPECT_EQ(closed + 1, fake.registry.closed);
    }
    RegistryResult unknown = read({0, "x", {}});
    EXPECT_EQ("Neznámý typ hodnoty", unknown.error->description);
}

TEST_F(BiosWindow, MissingValueIsAnUnknownTypeAndMissingKeyTheDefault) {
    RegistryResult missing = GetRegistryValue(fake.registry, kHKeyLocalMachine, kSystem, "None");
    ASSERT_TRUE(missing.error);
    EXPECT_EQ(1001, missing.error->number);
    EXPECT_EQ(1, fake.registry.closed);
    RegistryResult noKey =
        GetRegistryValue(fake.registry, kHKeyLocalMachine, "Hardware\\Nowhere", "V", int32_t{7});
    EXPECT_FALSE(noKey.error);
    EXPECT_EQ(RegistryValue{int32_t{7}}, noKey.value);
}

TEST_F(BiosWindow, DataLargerThanTheFirstBufferIsAskedForAgain) {
    std::string text(2000, 'v');
    RegistryResult r = read({1, text + '\0', {}});
    EXPECT_EQ(RegistryValue{text}, r.value);
    EXPECT_EQ((std::vector<std::pair<std::string, uint32_t>>{{"V", 1024}, {"V", 2001}}),
              fake.registry.queries);
}

TEST_F(BiosWindow, ASecondQueryThatFailsIsAnError) {
    RegistryResult r =
        read({1, "", {{kErrorMoreData, 1, 3000, {}}, {kErrorMoreData, 1, 4000, {}}}});
    ASSERT_TRUE(r.error);
    EXPECT_EQ(1001, r.error->number);
    EXPECT_EQ(2u, fake.registry.queries.size());
}

TEST_F(BiosWindow, AReportedLengthBeyondTheDataIsCutToIt) {
    RegistryResult r = read({1, "", {{kErrorSuccess, 1, 5000, "ab\0"s}}});
    EXPECT_EQ(RegistryValue{"ab"s}, r.value);
    r = read({4, "", {{kErrorSuccess, 4, 4096, "\1\0"s}}});
    ASSERT_TRUE(r.error);
}

TEST_F(BiosWindow, MissingDateMeansTheVersionIsNotRead) {
    system["SystemBiosVersion"] = {1, "V2\0"s, {}};
    std::string date = "d", version = "v";
    std::optional<RegistryError> e = GetBiosInfo(fake.registry, date, version);
    ASSERT_TRUE(e);
    EXPECT_EQ(1001, e->number);
    EXPECT_EQ("d", date);
    EXPECT_EQ("v", version);
    ASSERT_EQ(1u, fake.registry.queries.size());
    EXPECT_EQ("SystemBiosDate", fake.registry.queries[0].first);
}

TEST_F(BiosWindow, OwnButtonShowsOneLinePerEntryAndTouchesNothingElse) {
    setBios({1, "07/15/95\0"s, {}}, {7, "AMI BIOS\0Ver 1.0\0\0"s, {}});
    k.form1.tb_Info.setText("R");
    k.form1.cmd_Show_Bios.click();
    ASSERT_EQ(1u, fake.dialogs.shown.size());
    EXPECT_EQ("AMI BIOS\r\nVer 1.0", fake.dialogs.shown[0].text);
    EXPECT_EQ(0, fake.dialogs.shown[0].style);
    EXPECT_EQ("Kavrona", fake.dialogs.shown[0].title);
    EXPECT_EQ("R", k.form1.tb_Info.text());
    EXPECT_EQ("0", k.form1.tb_Forms_show.text());
    EXPECT_EQ("Ano", k.form1.tb_Bios_info.text());
    EXPECT_FALSE(k.bios.loaded());
    k.form1.cmd_Show_Bios.click();
    EXPECT_EQ(2u, fake.dialogs.shown.size());
}

TEST_F(BiosWindow, ReportModeAppendsTheSectionAndAdvances) {
    setBios({1, "07/15/95\0"s, {}}, {7, "AMI BIOS\0Ver 1.0\0\0"s, {}});
    k.form1.tb_Info.setText("IP adresa: 10.0.0.5\r\n\r\n");
    runAsStep3();
    EXPECT_EQ("IP adresa: 10.0.0.5\r\n\r\n\r\n\r\nBIOS: \r\nAMI BIOS\r\nVer 1.0\r\n",
              k.form1.tb_Info.text());
    EXPECT_EQ("4", k.form1.tb_Forms_show.text());
    EXPECT_TRUE(fake.dialogs.shown.empty());
    EXPECT_FALSE(k.bios.loaded());
    EXPECT_FALSE(k.bios.visible());
}

TEST_F(BiosWindow, FlagInLowerCaseIsReportMode) {
    setBios({1, "d\0"s, {}}, {1, "One line\0"s, {}});
    atStepAlone(k.form1, "3");
    k.form1.tb_Bios_info.setText("ano");
    k.bios.show();
    EXPECT_EQ("\r\n\r\nBIOS: \r\nOne line\r\n", k.form1.tb_Info.text());
    EXPECT_EQ("4", k.form1.tb_Forms_show.text());
}

TEST_F(BiosWindow, NoKeyGivesAnEmptyLine) {
    fake.registry.keys.clear();
    runAsStep3();
    EXPECT_EQ("\r\n\r\nBIOS: \r\n\r\n", k.form1.tb_Info.text());
}

TEST_F(BiosWindow, DateAndVersionOutliveAnUnload) {
    setBios({1, "07/15/95\0"s, {}}, {7, "AMI\0V1\0\0"s, {}});
    runAsStep3();
    system.erase("SystemBiosDate");
    system["SystemBiosVersion"] = {1, "V2\0"s, {}};
    k.form1.tb_Info.setText("");
    runAsStep3();
    EXPECT_EQ("07/15/95", k.bios.Datum);
    EXPECT_EQ("AMI\0V1"s, k.bios.Verze);
    EXPECT_EQ("\r\n\r\nBIOS: \r\nAMI\r\nV1\r\n", k.form1.tb_Info.text());
}
