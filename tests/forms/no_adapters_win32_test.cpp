// A computer without network adapters: no_adapters_win32_test.sh runs this in a
// network namespace that has only the loopback device, with a Wine session of its
// own (Wine asks for the adapters in its device service, not in the program).

#include <winsock2.h>

#include <iphlpapi.h>

#include <gtest/gtest.h>

#include <cstdlib>

#include "support/real_program_win32.h"
#include "support/step_alone.h"

TEST(NoAdaptersByScript, ReportHasTheLabelAndNoAddress) {
    if (!std::getenv("KAVRONA_NO_ADAPTERS")) GTEST_SKIP() << "run by no_adapters_win32_test.sh";
    ULONG size = 0;
    EXPECT_EQ(static_cast<DWORD>(ERROR_NO_DATA), GetAdaptersInfo(nullptr, &size));
    ASSERT_EQ(0u, size) << "the namespace has adapters after all";

    RealProgram program;
    Form1& form1 = program.k.form1;
    atStepAlone(form1, "2");
    program.k.ip_adress.show();
    EXPECT_EQ("\r\nIP adresa: \r\n\r\n", form1.tb_Info.text());
    EXPECT_EQ("3", form1.tb_Forms_show.text());
    EXPECT_FALSE(program.k.ip_adress.loaded());
    EXPECT_TRUE(program.dialogs.shown.empty());
}
