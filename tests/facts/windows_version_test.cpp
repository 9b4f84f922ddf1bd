#include "facts/windows_version.h"

#include <gtest/gtest.h>

#include <cstring>

#include "platform/platform_fake.h"

namespace {

VersionRecord record(uint32_t platformId, uint32_t major, uint32_t minor, const char* csd) {
    VersionRecord r;
    r.platformId = platformId;
    r.majorVersion = major;
    r.minorVersion = minor;
    r.csdVersion = std::string(csd) + std::string(128 - std::strlen(csd), '\0');
    return r;
}

struct WindowsVersionTest : testing::Test {
    FakeVersionInfo version;

    std::string versionName() { return GetWindowsVersionName(gatherWindowsVersion(version)); }
};

TEST_F(WindowsVersionTest, NamesFromTheVersionTable) {
    struct Case {
        uint32_t platformId, major, minor;
        const char* name;
    };
    const Case cases[] = {
        {1, 4, 0, "Windows 95"},
        {1, 9, 10, "Windows 98"},
        {1, 4, 90, ""},
        {2, 3, 51, "Windows NT 3.51"},
        {2, 4, 0, "Windows NT 4.0"},
        {2, 5, 0, "Windows 2000"},
        {2, 5, 1, "Windows XP"},
        {2, 5, 3, ""},
        {2, 6, 4, ""},
        {2, 7, 0, ""},
        {2, 10, 1, ""},
        {2, 11, 0, ""},
        {2, 2, 0, ""},
        {0, 5, 1, "Chyba"},
        {3, 5, 1, "Chyba"},
    };
    for (const Case& c : cases) {
        version.record = record(c.platformId, c.major, c.minor, "SP");
        EXPECT_EQ(std::string(c.name) + " - SP", versionName())
            << c.platformId << " " << c.major << "." << c.minor;
    }
}

TEST_F(WindowsVersionTest, LaterVersionsNamedByProductTypeAndBuild) {
    struct Case {
        uint32_t major, minor, build;
        uint8_t productType;
        const char* name;
    };
    const Case cases[] = {
        {5, 2, 3790, 1, "Windows XP Professional x64 Edition"},
        {5, 2, 3790, 3, "Windows Server 2003"},
        {5, 2, 3790, 2, "Windows Server 2003"},  // a domain controller is a server too
        {6, 0, 6002, 1, "Windows Vista"},
        {6, 0, 6002, 3, "Windows Server 2008"},
        {6, 1, 7601, 1, "Windows 7"},
        {6, 1, 7601, 3, "Windows Server 2008 R2"},
        {6, 2, 9200, 1, "Windows 8"},
        {6, 2, 9200, 3, "Windows Server 2012"},
        {6, 3, 9600, 1, "Windows 8.1"},
        {6, 3, 9600, 3, "Windows Server 2012 R2"},
        {10, 0, 19045, 1, "Windows 10"},
        {10, 0, 21999, 1, "Windows 10"},
        {10, 0, 22000, 1, "Windows 11"},
        {10, 0, 26100, 1, "Windows 11"},
        {10, 0, 14393, 3, "Windows Server 2016"},
        {10, 0, 17762, 3, "Windows Server 2016"},
        {10, 0, 17763, 3, "Windows Server 2019"},
        {10, 0, 20347, 3, "Windows Server 2019"},
        {10, 0, 20348, 3, "Windows Server 2022"},
        {10, 0, 26099, 2, "Windows Server 2022"},
        {10, 0, 26100, 3, "Windows Server 2025"},
        {10, 0, 22000, 0, "Windows Server 2022"},  // not a workstation
        {5, 1, 2600, 3, "Windows XP"},             // the older rows ignore the product type
        {4, 0, 1381, 3, "Windows NT 4.0"},
    };
    for (const Case& c : cases) {
        VersionRecord r = record(2, c.major, c.minor, "");
        r.buildNumber = c.build;
        r.productType = c.productType;
        version.record = r;
        EXPECT_EQ(std::string(c.name) + " - ", versionName())
            << c.major << "." << c.minor << " build " << c.build << " type " << +c.productType;
    }
}

TEST_F(WindowsVersionTest, ServicePackTextIsCutAtItsFirstNul) {
    version.record = record(2, 5, 1, "Service Pack 3");
    EXPECT_EQ("Windows XP - Service Pack 3", versionName());
    version.record = record(2, 5, 1, "");
    EXPECT_EQ("Windows XP - ", versionName());
    version.record = record(2, 5, 1, "  spaced  ");
    EXPECT_EQ("Windows XP -   spaced  ", versionName());
}

TEST_F(WindowsVersionTest, ServicePackFieldWithoutNulIsTakenWhole) {
    VersionRecord r = record(2, 5, 1, "");
    r.csdVersion.assign(128, 'x');
    version.record = r;
    EXPECT_EQ("Windows XP - " + std::string(128, 'x'), versionName());
}

TEST_F(WindowsVersionTest, FailingCallLeavesTheSetUpRecord) {
    version.record.reset();
    EXPECT_EQ("Chyba - " + std::string(128, ' '), versionName());
    EXPECT_FALSE(gatherWindowsVersion(version).read);
}

TEST_F(WindowsVersionTest, ServicePackTextKeepsItsLetters) {
    version.record = record(2, 5, 1, "Aktualizace číslo 2");
    EXPECT_EQ("Windows XP - Aktualizace číslo 2", versionName());
}

}  // namespace

TEST(WindowsBits, OfTheSystemsOwnArchitecture) {
    const struct {
        uint16_t architecture;
        int bits;
    } cases[] = {{0, 32}, {5, 32}, {6, 64}, {9, 64}, {12, 64}, {1, 0}, {0xFFFF, 0}};
    for (const auto& c : cases) EXPECT_EQ(c.bits, windowsBits(c.architecture)) << c.architecture;
}
