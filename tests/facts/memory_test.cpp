#include "facts/memory.h"

#include <gtest/gtest.h>

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

TEST(MemorySection, TwoLinesWithoutALastLineEnd) {
    FakePhysicalMemory memory;
    memory.counts = MemoryCounts{1ull << 30, 512ull << 20};
    EXPECT_EQ("\r\nCelková paměť: 1029 MB\r\nVolná paměť:  515 MB",
              memorySection(gatherMemory(memory)));
}

TEST(MemorySection, AFailingCallStillGivesTheSection) {
    FakePhysicalMemory memory;
    memory.counts.reset();
    EXPECT_EQ("\r\nCelková paměť: 0 MB\r\nVolná paměť:  0 MB", memorySection(gatherMemory(memory)));
}
