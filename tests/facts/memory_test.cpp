#include "facts/memory.h"
#include "app/fake_kavrona.h"

#include "facts/drives.h"

#include <gtest/gtest.h>

#include "app/step_alone.h"

#include "app/kavrona.h"
#include "platform/platform_fake.h"

TEST(MemoryMegabytes, RoundsToTheProgramsMegabyte) {
    const struct {
        uint64_t bytes;
        int64_t megabytes;
    } cases[] = {
        {256ull << 20, 257},
        {512ull << 20, 515},
        {1ull << 30, 1029},
        {1ull << 31, 2058},
        {(1ull << 32) - 1, 4117},
        {16ull << 30, 16467},
        {24ull << 30, 24700},
        {0, 0},
        {521660, 0},
        {521661, 1},
        {2608302, 2},
        {2608303, 3},
    };
    for (const auto& c : cases) EXPECT_EQ(c.megabytes, memoryMegabytes(c.bytes)) << c.bytes;
}

TEST(WordHalves, SignedHalvesOfAValue) {
    const struct {
        uint32_t dw;
        int16_t hi, lo;
    } cases[] = {
        {0x1234FFFF, 0x1234, -1},
        {0xFFFF0000, -1, 0},
        {0x80000000, -32768, 0},
        {0x17FFF, 1, 32767},
        {0x18000, 1, -32768},
        {0xFFFF, 0, -1},
        {0, 0, 0},
        {0xFFFFFFFF, -1, -1},
        {0x7FFF8000, 32767, -32768},
    };
    for (const auto& c : cases) {
        auto dw = static_cast<int32_t>(c.dw);
        EXPECT_EQ(c.hi, GetHiWord(dw)) << std::hex << c.dw;
        EXPECT_EQ(c.lo, GetLoWord(dw)) << std::hex << c.dw;
    }
}

struct MemorySection : FakeKavrona {
    void SetUp() override {
        k.start();
        k.form1.tb_Info.setText("Verze Windows: x\r\n\r\n");
        atStepAlone(k.form1, "4");
    }
};

TEST_F(MemorySection, AppendsTwoLinesWithoutALastLineEndAndAdvances) {
    fake.memory.counts = MemoryCounts{1ull << 30, 512ull << 20};
    k.form1.Pamet_size();
    EXPECT_EQ("Verze Windows: x\r\n\r\n\r\nCelková paměť: 1029 MB\r\nVolná paměť:  515 MB",
              k.form1.tb_Info.text());
    EXPECT_EQ("5", k.form1.tb_Forms_show.text());
}

TEST_F(MemorySection, AFailingCallStillWritesTheSectionAndAdvances) {
    fake.memory.counts.reset();
    k.form1.Pamet_size();
    EXPECT_TRUE(k.form1.tb_Info.text().ends_with("\r\nCelková paměť: 0 MB\r\nVolná paměť:  0 MB"));
    EXPECT_EQ("5", k.form1.tb_Forms_show.text());
}
