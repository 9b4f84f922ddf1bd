// The BIOS values read back through the real registry. Wine has neither value: the
// test writes them under HKLM\Hardware\Description\System, a volatile key whose
// contents go when the prefix's wineserver ends, and puts back what was there.

#include <windows.h>

#include <gtest/gtest.h>

#include "support/step_alone.h"

#include <optional>

#include "facts/bios.h"
#include "support/real_program_win32.h"

using namespace std::string_literals;

namespace {

struct SavedValue {
    DWORD type = 0;
    std::string data;
};

}  // namespace

struct WineBiosRegistry : testing::Test {
    HKEY key = nullptr;
    std::optional<SavedValue> saved[2];
    static constexpr const char* kNames[2] = {"SystemBiosDate", "SystemBiosVersion"};
    RealProgram program;

    void SetUp() override {
        ASSERT_EQ(ERROR_SUCCESS, RegOpenKeyExA(HKEY_LOCAL_MACHINE, "Hardware\\Description\\System",
                                               0, KEY_QUERY_VALUE | KEY_SET_VALUE, &key));
        for (int i = 0; i < 2; ++i) {
            DWORD type = 0, length = 0;
            if (RegQueryValueExA(key, kNames[i], nullptr, &type, nullptr, &length) != ERROR_SUCCESS)
                continue;
            SavedValue v{type, std::string(length, '\0')};
            RegQueryValueExA(key, kNames[i], nullptr, &type, reinterpret_cast<BYTE*>(v.data.data()),
                             &length);
            saved[i] = v;
        }
    }
    void TearDown() override {
        if (!key) return;
        for (int i = 0; i < 2; ++i) {
            if (saved[i])
                set(kNames[i], saved[i]->type, saved[i]->data);
            else
                RegDeleteValueA(key, kNames[i]);
        }
        RegCloseKey(key);
    }
    void set(const char* name, DWORD type, const std::string& data) {
        ASSERT_EQ(ERROR_SUCCESS,
                  RegSetValueExA(key, name, 0, type, reinterpret_cast<const BYTE*>(data.data()),
                                 static_cast<DWORD>(data.size())));
    }
    void remove(const char* name) { RegDeleteValueA(key, name); }
    frm_BIOS& bios() { return program.k.bios; }
};

TEST_F(WineBiosRegistry, TextDateAndTwoEntryVersion) {
    set("SystemBiosDate", REG_SZ, "07/15/95\0"s);
    set("SystemBiosVersion", REG_MULTI_SZ, "AMI BIOS\0Ver 1.0\0\0"s);
    std::string date, version;
    EXPECT_FALSE(GetBiosInfo(bios().registry, date, version));
    EXPECT_EQ("07/15/95", date);
    EXPECT_EQ("AMI BIOS\0Ver 1.0"s, version);

    program.k.form1.cmd_Show_Bios.click();
    EXPECT_EQ(std::vector<std::string>{"AMI BIOS\r\nVer 1.0"}, program.dialogs.texts());
}

TEST_F(WineBiosRegistry, NumberVersion) {
    set("SystemBiosDate", REG_SZ, "07/15/95\0"s);
    set("SystemBiosVersion", REG_DWORD, "\x78\x56\x34\x12"s);
    std::string date, version;
    EXPECT_FALSE(GetBiosInfo(bios().registry, date, version));
    EXPECT_EQ("305419896", version);
}

TEST_F(WineBiosRegistry, MissingValuesLeaveBothTextsAlone) {
    remove("SystemBiosDate");
    set("SystemBiosVersion", REG_SZ, "V2\0"s);
    std::string date = "d", version = "v";
    std::optional<RegistryError> e = GetBiosInfo(bios().registry, date, version);
    ASSERT_TRUE(e);
    EXPECT_EQ(kUnknownValueType, e->number);
    EXPECT_EQ("d", date);
    EXPECT_EQ("v", version);
}

TEST_F(WineBiosRegistry, VersionLongerThanTheFirstBuffer) {
    std::string text(3000, 'v');
    set("SystemBiosDate", REG_SZ, "07/15/95\0"s);
    set("SystemBiosVersion", REG_SZ, text + '\0');
    std::string date, version;
    EXPECT_FALSE(GetBiosInfo(bios().registry, date, version));
    EXPECT_EQ(text, version);
}

TEST_F(WineBiosRegistry, ReportSection) {
    set("SystemBiosDate", REG_SZ, "07/15/95\0"s);
    set("SystemBiosVersion", REG_MULTI_SZ, "AMI BIOS\0Ver 1.0\0\0"s);
    Form1& form1 = program.k.form1;
    form1.tb_Bios_info.setText("Ne");
    atStepAlone(form1, "3");
    bios().show();
    EXPECT_EQ("\r\n\r\nBIOS: \r\nAMI BIOS\r\nVer 1.0\r\n", form1.tb_Info.text());
    EXPECT_EQ("4", form1.tb_Forms_show.text());
}

// Version values of odd types and sizes, as Wine's registry hands them over: what
// "Info o BIOS" shows, and the error that stopped the read (0 for none). A value that
// cannot be read shows what the last read left: on a program's first read, nothing.
namespace {

struct OddBiosValue {
    const char* name;
    DWORD type;
    std::string data;
    std::string shown;
    int32_t error = 0;
};

std::string entries(int count) {
    std::string list;
    for (int i = 0; i < count; ++i) list += "Verze " + std::to_string(i) + '\0';
    return list + '\0';
}

std::string lines(int count) {
    std::string text;
    for (int i = 0; i < count; ++i) text += (i ? "\r\nVerze " : "Verze ") + std::to_string(i);
    return text;
}

const OddBiosValue kOddValues[] = {
    {"Binary", REG_BINARY, "Ver 1.02", "Ver 1.02"},
    {"BinaryWithNuls", REG_BINARY, "AB\0CD"s, "AB\r\nCD"},
    {"BinaryEmpty", REG_BINARY, "", "", 9},
    {"BinaryOver1024Bytes", REG_BINARY, std::string(3000, 'b'), std::string(3000, 'b')},
    {"Qword", REG_QWORD, "\x01\x02\x03\x04\x05\x06\x07\x08"s, "", kUnknownValueType},
    {"None", REG_NONE, "data", "", kUnknownValueType},
    {"NoneEmpty", REG_NONE, "", "", kUnknownValueType},
    {"BigEndianDword", REG_DWORD_BIG_ENDIAN, "\x12\x34\x56\x78", "", kUnknownValueType},
    {"DwordOfTwoBytes", REG_DWORD, "\x01\x02", "", kUnknownValueType},
    {"DwordOfEightBytes", REG_DWORD, "\x2A\0\0\0\xFF\xFF\xFF\xFF"s, "42"},
    {"TextEmpty", REG_SZ, "", "", 5},
    {"TextOnlyItsNul", REG_SZ, "\0"s, ""},
    {"TextWithoutItsNul", REG_SZ, "ABC", "ABC"},
    {"TextInTheCodePage", REG_SZ, "Verze \xE8. 2 \x9E\xE1\x64n\xE1\0"s, "Verze č. 2 žádná"},
    {"TextOver1024Bytes", REG_SZ, std::string(100000, 'v') + '\0', std::string(100000, 'v')},
    {"ExpandableText", REG_EXPAND_SZ, "%SystemRoot%\\bios\0"s, "%SystemRoot%\\bios"},
    {"ListEmpty", REG_MULTI_SZ, "\0\0"s, ""},
    {"ListOfOnlyANul", REG_MULTI_SZ, "\0"s, "", 5},
    {"ListWithoutItsNuls", REG_MULTI_SZ, "AB\0CD"s, "AB\r\nCD"},
    {"ListOver1024Bytes", REG_MULTI_SZ, entries(500), lines(500)},
};

}  // namespace

TEST_F(WineBiosRegistry, OddVersionValuesShowWhatCanBeRead) {
    set("SystemBiosDate", REG_SZ, "07/15/95\0"s);
    for (const OddBiosValue& v : kOddValues) {
        SCOPED_TRACE(v.name);
        set("SystemBiosVersion", v.type, v.data);
        RealProgram fresh;
        std::string date, version;
        std::optional<RegistryError> e = GetBiosInfo(fresh.k.bios.registry, date, version);
        EXPECT_EQ(v.error, e ? e->number : 0);
        EXPECT_EQ("07/15/95", date);

        fresh.k.form1.cmd_Show_Bios.click();
        ASSERT_EQ(1u, fresh.dialogs.shown.size());
        EXPECT_EQ(v.shown, fresh.dialogs.shown[0].text);
        EXPECT_EQ(0, fresh.dialogs.shown[0].style);
        EXPECT_EQ("Kavrona", fresh.dialogs.shown[0].title);
        EXPECT_FALSE(fresh.k.bios.loaded());
        EXPECT_EQ("", fresh.k.form1.tb_Info.text());
    }
}
