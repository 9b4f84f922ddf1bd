// The shell's first link starts COM on the thread, apartment-threaded, as handlers
// that are COM objects need; and it stays on while the shell lives.

#include <windows.h>

#include <shellapi.h>

#include <gtest/gtest.h>

#include <thread>

#include "platform/shell_com_win32.h"

namespace {

// What COM is on this thread: asking for the multi-threaded kind is refused in an
// apartment-threaded one, and starts it where there was none.
HRESULT multiThreadedAsked() {
    HRESULT hr = CoInitializeEx(nullptr, COINIT_MULTITHREADED);
    if (SUCCEEDED(hr)) CoUninitialize();
    return hr;
}

TEST(ComStartingShell, FirstLinkOpensWithAnApartmentOnTheThread) {
    // A thread of its own, on which nothing else has started COM.
    std::thread([] {
        ComStartingShell shell;
        ASSERT_EQ(S_OK, multiThreadedAsked()) << "COM before the first link";
        // A file that is not there: the shell answers without starting anything.
        EXPECT_EQ(SE_ERR_FNF, shell.open("Z:\\kavrona-no-such-folder\\no-such-file.txt"));
        EXPECT_EQ(RPC_E_CHANGED_MODE, multiThreadedAsked());
        shell.open("Z:\\kavrona-no-such-folder\\no-such-file.txt");
        EXPECT_EQ(RPC_E_CHANGED_MODE, multiThreadedAsked());
    }).join();
}

}  // namespace
