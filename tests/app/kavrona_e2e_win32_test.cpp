// The real Kavrona.exe, started and driven from outside as a user would.

#include <windows.h>

#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

#include "app/running_kavrona_win32.h"
#include "platform/utf16_win32.h"
#include "support/automation_win32.h"

namespace {

using namespace automation;

struct ExpectedControl {
    const char* className;
    const char* text;              // null: checked on its own
    int left, top, width, height;  // twips
    DWORD style;                   // bits that must be set
    bool visible = true;
};

// The main window in tab order.
const ExpectedControl kMainControls[] = {
    {"Button", "Zobraz kompletní info", 7680, 5640, 2175, 495, WS_TABSTOP},
    {"Button", "Uložit do souboru ...", 360, 7320, 3000, 495, WS_TABSTOP},
    {"Button", "Tisknout zobrazené ...", 3607, 7320, 3000, 495, WS_TABSTOP},
    {"Button", "Zavřít", 6855, 7320, 3000, 495, WS_TABSTOP},
    {"Button", "Procesor", 7680, 2880, 2175, 495, WS_TABSTOP},
    {"Button", "Verze windows", 7680, 960, 2175, 495, WS_TABSTOP},
    {"Button", "User", 7680, 1600, 2175, 495, WS_TABSTOP},
    {"Button", "Logon_info", 7680, 2240, 2175, 495, WS_TABSTOP},
    {"Button", "DIR pro Windows", 7680, 3520, 2175, 495, WS_TABSTOP},
    {"Button", "Info o harddisku", 7680, 4160, 2175, 495, WS_TABSTOP},
    {"Edit", "", 360, 240, 6855, 5895, WS_TABSTOP | ES_MULTILINE | WS_VSCROLL},
    {"Edit", nullptr, 360, 6720, 9495, 375, WS_TABSTOP},
    {"Static", "Data uložit do souboru ...", 360, 6480, 3135, 255, SS_NOTIFY},
    {"Button", "Info o BIOS", 7680, 4800, 2175, 495, WS_TABSTOP},
    {"Edit", "Text1", 4560, 6240, 1215, 405, 0, false},
    {"Static", "www.kavrona.cz", 7680, 120, 2175, 255, SS_NOTIFY},
    {"Static", "info@kavrona.cz", 7680, 480, 2175, 255, SS_NOTIFY},
    {"Edit", "0", 6000, 6240, 1095, 375, 0, false},
};

std::string folderOfProgram() {
    wchar_t path[MAX_PATH];
    DWORD n = GetFullPathNameW(widen(KAVRONA_EXE).c_str(), MAX_PATH, path, nullptr);
    std::string full = narrow(std::wstring_view(path, n));
    return full.substr(0, full.rfind('\\'));
}

std::string signedOnUser() {
    wchar_t name[256];
    DWORD n = 256;
    return GetUserNameW(name, &n) ? narrow(name) : std::string();
}

class KavronaProgram : public StartedKavrona {
  protected:
    bool ended(Patience patience = Patience(0)) { return program_->ended(patience); }
    DWORD exitCode() { return program_->exitCode(); }
    HWND button(const char* caption) { return childWithText(main_, "Button", caption); }
    std::string focused() { return textOf(focusOf(main_)); }
    // The message box the program shows now: its text, after checking its title and
    // closing it with OK.
    std::string answer() {
        std::optional<MessageBoxShown> box = waitForMessageBox(program_->pid());
        if (!box) return "(no message box)";
        EXPECT_EQ("Kavrona", box->title);
        EXPECT_TRUE(pressBoxButton(box->hwnd));
        EXPECT_TRUE(waitUntilGone(box->hwnd));
        return box->text;
    }
};

// The screen's DPI, which Wine reads as a program starts, for the length of a test.
class ScreenDpi {
  public:
    explicit ScreenDpi(DWORD dpi) {
        if (RegCreateKeyExW(HKEY_CURRENT_USER, L"Control Panel\\Desktop", 0, nullptr, 0,
                            KEY_QUERY_VALUE | KEY_SET_VALUE, nullptr, &key_,
                            nullptr) != ERROR_SUCCESS)
            return;
        DWORD size = sizeof(old_);
        had_ = RegQueryValueExW(key_, kValue, nullptr, nullptr, reinterpret_cast<BYTE*>(&old_),
                                &size) == ERROR_SUCCESS;
        RegSetValueExW(key_, kValue, 0, REG_DWORD, reinterpret_cast<const BYTE*>(&dpi),
                       sizeof(dpi));
    }
    ScreenDpi(const ScreenDpi&) = delete;
    ScreenDpi& operator=(const ScreenDpi&) = delete;
    ~ScreenDpi() {
        if (!key_) return;
        if (had_) {
            RegSetValueExW(key_, kValue, 0, REG_DWORD, reinterpret_cast<const BYTE*>(&old_),
                           sizeof(old_));
        } else {
            RegDeleteValueW(key_, kValue);
        }
        RegCloseKey(key_);
    }

  private:
    static constexpr const wchar_t* kValue = L"LogPixels";
    HKEY key_ = nullptr;
    DWORD old_ = 0;
    bool had_ = false;
};

struct DpiCase {
    DWORD dpi;
    int clientWidth, clientHeight;
};
void PrintTo(const DpiCase& c, std::ostream* out) {
    *out << c.dpi << " DPI";
}

// Wine answers GetDpiForWindow for another process's window with the DPI the asking
// process started with, so the test goes by the DPI it set.
class KavronaAtDpi : public KavronaProgram, public testing::WithParamInterface<DpiCase> {
  protected:
    int px(int twips) const { return MulDiv(twips, static_cast<int>(GetParam().dpi), 1440); }

  private:
    ScreenDpi screen_{GetParam().dpi};
};

TEST_P(KavronaAtDpi, MainWindowHasTheLayout) {
    RECT client{};
    GetClientRect(main_, &client);
    EXPECT_EQ(GetParam().clientWidth, client.right);
    EXPECT_EQ(GetParam().clientHeight, client.bottom);

    std::vector<Child> controls = childrenOf(main_);
    ASSERT_EQ(std::size(kMainControls), controls.size());
    for (size_t i = 0; i < controls.size(); ++i) {
        const ExpectedControl& e = kMainControls[i];
        const Child& c = controls[i];
        SCOPED_TRACE("tab " + std::to_string(i) + ": " + c.className + " \"" + c.text + "\"");
        EXPECT_EQ(e.className, c.className);
        if (e.text) {
            EXPECT_EQ(e.text, c.text);
        }
        EXPECT_EQ(px(e.left), c.rect.left);
        EXPECT_EQ(px(e.top), c.rect.top);
        EXPECT_EQ(px(e.width), c.rect.right - c.rect.left);
        EXPECT_EQ(px(e.height), c.rect.bottom - c.rect.top);
        EXPECT_EQ(e.style, c.style & e.style);
        EXPECT_EQ(e.visible, c.visible());
        EXPECT_EQ(e.visible, IsWindowVisible(c.hwnd) != FALSE);
    }
    EXPECT_EQ(folderOfProgram() + "\\Kavrona.txt", controls[11].text);
}

INSTANTIATE_TEST_SUITE_P(Screens, KavronaAtDpi,
                         testing::Values(DpiCase{96, 669, 548}, DpiCase{144, 1004, 822}),
                         [](const auto& info) { return std::to_string(info.param.dpi) + "dpi"; });

// What only a fact, a report or printing needs loads when first used, so the main
// window shows sooner. (ole32 is not among them: Wine's input methods load it as soon
// as a window is active.)
TEST_F(KavronaProgram, MainWindowShowsWithoutTheDllsOfFactsAndPrinting) {
    auto loaded = [&](const wchar_t* dll) { return !loadedAs(program_->pid(), dll).empty(); };
    ASSERT_TRUE(loaded(L"user32.dll")) << "the program's DLLs cannot be read";
    for (const wchar_t* late : {L"iphlpapi.dll", L"oleaut32.dll", L"shell32.dll", L"winspool.drv"})
        EXPECT_FALSE(loaded(late)) << narrow(late);

    ASSERT_TRUE(press(button("Zobraz kompletní info")));
    ASSERT_TRUE(waitFor([&] { return findWindow("Procesor:", program_->pid()) != nullptr; }));
    EXPECT_TRUE(loaded(L"iphlpapi.dll"));
    EXPECT_TRUE(loaded(L"oleaut32.dll"));
}

TEST_F(KavronaProgram, UserButtonShowsTheUserName) {
    ASSERT_TRUE(press(button("User")));
    EXPECT_EQ(signedOnUser(), answer());
    // The click left the focus on the button, though not as the default button.
    ASSERT_TRUE(waitFor([&] { return focused() == "User"; })) << "on \"" << focused() << "\"";
    ASSERT_TRUE(pressKey(main_, VK_RETURN));
    EXPECT_EQ(signedOnUser(), answer());
    EXPECT_FALSE(ended(kQuiet));
}

TEST_F(KavronaProgram, KeyboardTabsInTableOrderAndEnterPressesTheButton) {
    ASSERT_TRUE(waitFor([&] { return focused() == "Zobraz kompletní info"; }))
        << "focus on \"" << focused() << "\"";
    const char* order[] = {"Uložit do souboru ...",
                           "Tisknout zobrazené ...",
                           "Zavřít",
                           "Procesor",
                           "Verze windows",
                           "User"};
    for (const char* next : order) {
        ASSERT_TRUE(pressKey(main_, VK_TAB));
        ASSERT_TRUE(waitFor([&] { return focused() == next; }))
            << "expected \"" << next << "\", focus on \"" << focused() << "\"";
    }
    ASSERT_TRUE(pressKey(main_, VK_RETURN));
    EXPECT_EQ(signedOnUser(), answer());
    // The focus is back where it was, and goes on through the boxes, past the
    // hidden ones and the labels, round to the start.
    ASSERT_TRUE(waitFor([&] { return focused() == "User"; })) << "on \"" << focused() << "\"";
    HWND report = nthChild(main_, "Edit", 0), path = nthChild(main_, "Edit", 1);
    for (HWND next : {button("Logon_info"), button("DIR pro Windows"), button("Info o harddisku"),
                      report, path, button("Info o BIOS"), button("Zobraz kompletní info")}) {
        ASSERT_TRUE(pressKey(main_, VK_TAB));
        ASSERT_TRUE(waitFor([&] { return focusOf(main_) == next; }))
            << "expected \"" << textOf(next) << "\", focus on \"" << focused() << "\"";
    }
}

// Each letter typed comes back to the box through the runtime; the caret must stay
// after it.
TEST_F(KavronaProgram, TypedLettersFollowOneAnother) {
    HWND report = nthChild(main_, "Edit", 0);
    ASSERT_TRUE(typeInto(report, "Poznámka: řádek"));
    EXPECT_TRUE(waitFor([&] { return textOf(report) == "Poznámka: řádek"; }))
        << "the box shows \"" << textOf(report) << "\"";
}

TEST_F(KavronaProgram, ZavritEndsTheProgram) {
    ASSERT_TRUE(press(button("Zavřít")));
    EXPECT_TRUE(ended(kPatience));
    EXPECT_EQ(0u, exitCode());
}

TEST_F(KavronaProgram, CloseBoxEndsTheProgram) {
    ASSERT_TRUE(PostMessageW(main_, WM_CLOSE, 0, 0));
    EXPECT_TRUE(ended(kPatience));
    EXPECT_EQ(0u, exitCode());
}

}  // namespace
