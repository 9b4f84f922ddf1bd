#include "facts/processor_type.h"

#include <gtest/gtest.h>

#include "platform/platform_win32.h"

// Wine hands a 64-bit process the machine's own code, outside the table, and a 32-bit
// one the Pentium's.
TEST(ProcesorTypeWin32, WineReportsTheCodeOfTheBuildsProcessor) {
    Win32Platform real;
#ifdef _WIN64
    EXPECT_EQ("8664", ProcessorTypeText(GetProcessorType(real.system)));
#else
    EXPECT_EQ("Procesor: INTEL PENTIUM", ProcessorTypeText(GetProcessorType(real.system)));
#endif
}
