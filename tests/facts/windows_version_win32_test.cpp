// "Verze windows" and the report's version line in the real Kavrona.exe, under the
// Windows version that the wrapper script set in the prefix. Kavrona.exe's own
// manifest decides what GetVersionExA tells it, so the program is started, not called.

#include <windows.h>

#include <gtest/gtest.h>

#include <cstdio>
#include <optional>
#include <string>

#include "platform/utf16_win32.h"
#include "support/automation_win32.h"

namespace {

using namespace automation;

std::string environment(const wchar_t* name) {
    wchar_t value[256];
    DWORD n = GetEnvironmentVariableW(name, value, 256);
    return n && n < 256 ? narrow(std::wstring_view(value, n)) : std::string();
}

// The service pack the prefix's registry holds; empty when it holds none.
std::string registryServicePack() {
    char value[256];
    DWORD size = sizeof value;
    if (RegGetValueA(HKEY_LOCAL_MACHINE, "Software\\Microsoft\\Windows NT\\CurrentVersion",
                     "CSDVersion", RRF_RT_REG_SZ, nullptr, value, &size) != ERROR_SUCCESS)
        return {};
    return value;
}

std::string lineStarting(const std::string& text, const std::string& start) {
    size_t at = text.find("\r\n" + start);
    if (at == std::string::npos) return "(no line \"" + start + "\")";
    at += 2;
    return text.substr(at, text.find("\r\n", at) - at);
}

// Run by windows_version_win32_test.sh, once for each version, with
// KAVRONA_WINDOWS_NAME naming what the program must call it.
TEST(WindowsVersionByScript, VersionBoxAndReportLineNameThePlayedVersion) {
    std::string name = environment(L"KAVRONA_WINDOWS_NAME");
    ASSERT_FALSE(name.empty()) << "KAVRONA_WINDOWS_NAME not set";
    ASSERT_FALSE(environment(L"DISPLAY").empty()) << "needs an X display";
    std::string expected = name + " - " + registryServicePack();

    StartedProgram program(KAVRONA_EXE);
    ASSERT_TRUE(program.started()) << "cannot start " << KAVRONA_EXE;
    HWND main = waitForWindow("Kavrona - www.kavrona.cz", program.pid());
    ASSERT_TRUE(main) << "no main window";

    ASSERT_TRUE(press(childWithText(main, "Button", "Verze windows")));
    std::optional<MessageBoxShown> box = waitForMessageBox(program.pid());
    ASSERT_TRUE(box) << "no message box";
    EXPECT_EQ(expected, box->text);
    std::printf("\"Verze windows\" reads \"%s\"\n", box->text.c_str());
    ASSERT_TRUE(pressBoxButton(box->hwnd));
    ASSERT_TRUE(waitUntilGone(box->hwnd));

    ASSERT_TRUE(press(childWithText(main, "Button", "Zobraz kompletní info")));
    ASSERT_TRUE(waitForWindow("Procesor:", program.pid())) << "no processor window";
    std::string report = "\r\n" + textOf(nthChild(main, "Edit", 0));
    std::string line = lineStarting(report, "Verze Windows: ");
    EXPECT_EQ("Verze Windows: " + expected, line);
    std::printf("the report reads \"%s\"\n", line.c_str());
}

}  // namespace
