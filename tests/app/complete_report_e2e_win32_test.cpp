// "Zobraz kompletní info" in the real Kavrona.exe, driven from outside as a user
// would, against what this process itself reads of the machine.

#include <windows.h>

#include <gtest/gtest.h>

#include <future>
#include <optional>
#include <string>
#include <vector>

#include "app/machine_report_win32.h"
#include "app/running_kavrona_win32.h"
#include "platform/wmic_win32.h"
#include "support/automation_win32.h"

namespace {

using namespace automation;

constexpr const char* kProcesorCaption = "Procesor:";
constexpr const char* kWmiFailure = "Informace se nepodařilo zjistit. Nastala chyba: ";

// The processor as `wmic cpu get` reads it, one property a call.
struct WmicProcessor {
    std::vector<std::string> names;
    std::string description, id, maker, maxSpeed;
};

std::optional<WmicProcessor> readWithWmic() {
    auto read = [](const wchar_t* property) {
        return std::async(std::launch::async, [property] { return wmicCpu(property); });
    };
    auto names = read(L"name"), description = read(L"description"), id = read(L"processorid"),
         maker = read(L"manufacturer"), maxSpeed = read(L"maxclockspeed");
    auto first = [](std::future<std::optional<std::vector<std::string>>>& f) {
        std::optional<std::vector<std::string>> values = f.get();
        return values && !values->empty() ? values->front() : std::string("(wmic read nothing)");
    };
    std::optional<std::vector<std::string>> all = names.get();
    if (!all || all->empty()) return std::nullopt;
    return WmicProcessor{*all, first(description), first(id), first(maker), first(maxSpeed)};
}

// The report's boxes and the processor window, as a complete report leaves them.
class ReportingKavrona : public RunningKavrona {
  protected:
    HWND reportBox() const { return nthChild(main_, "Edit", 0); }
    std::string report() const { return textOf(reportBox()); }
    std::string stepBox() const { return textOf(nthChild(main_, "Edit", 3)); }
    HWND details(HWND procesor) const { return nthChild(procesor, "Edit", 0); }
    HWND writeButton(HWND procesor) const {
        return childWithText(procesor, "Button", "Zapsat a zavřít");
    }

    bool stepWindowsGone() const {
        return !findAnyWindow("IP adresa:", pid()) && !findAnyWindow("frm_BIOS", pid());
    }

    // The sequence has unwound: the processor window in front, its "Zapsat a zavřít"
    // focused, the step windows gone, and so it stays.
    HWND waitForProcesorInFront() {
        HWND procesor = nullptr;
        auto inFront = [&] {
            procesor = findWindow(kProcesorCaption, pid());
            return procesor && stepWindowsGone() && GetForegroundWindow() == procesor &&
                   activeOf(main_) == procesor && focusOf(procesor) == writeButton(procesor);
        };
        bool ready = settles(inFront);
        EXPECT_TRUE(ready) << "processor window " << (procesor ? "shown" : "missing")
                           << ", step windows " << (stepWindowsGone() ? "gone" : "still there")
                           << ", active \"" << textOf(activeOf(main_)) << "\", focus on \""
                           << textOf(focusOf(main_)) << "\"";
        return ready ? procesor : nullptr;
    }

    bool reportIsTheFiveSections() const {
        return firstDifference(expectedFiveSections(), linesOf(report())).empty();
    }

    bool noMessageBox() const { return !waitForMessageBox(pid(), kQuiet); }
};

class CompleteReport : public ReportingKavrona {
  protected:
    static void SetUpTestSuite() { wmic_ = readWithWmic(); }

    void SetUp() override {
        ReportingKavrona::SetUp();
        if (IsSkipped()) return;
        ASSERT_TRUE(wmic_) << "wmic cpu get name read nothing";
    }

    std::string expectedTitle() const {
        size_t n = wmic_->names.size();
        return n == 1 ? "1 procesor detekován na tomto stroji."
                      : std::to_string(n) + " procesory detekovány na tomto stroji.";
    }

    // Wine has no Status, LoadPercentage, L2CacheSize, L2CacheSpeed and
    // PowerManagementSupported: their lines are left out, the last one's line end too.
    std::vector<ReportLine> expectedDetails() const {
        return {{"Procesor: " + wmic_->names.front()},
                {"Popis: " + wmic_->description},
                {"ID procesoru: " + wmic_->id},
                {"Výrobce: " + wmic_->maker},
                {"Rychlost: [0-9]+   MHz", true},
                {"Maximální rychlost: " + wmic_->maxSpeed},
                {""}};
    }

    static std::optional<WmicProcessor> wmic_;
};

std::optional<WmicProcessor> CompleteReport::wmic_;

TEST_F(CompleteReport, FiveSectionsThenTheProcessorWindowInFront) {
    ASSERT_NO_FATAL_FAILURE(start());
    ASSERT_TRUE(press(mainButton("Zobraz kompletní info")));
    HWND procesor = waitForProcesorInFront();
    ASSERT_TRUE(procesor);

    std::string text = report();
    EXPECT_EQ("", firstDifference(expectedFiveSections(), linesOf(text))) << text;
    // Hidden while the report is written into it, and on the screen again after.
    EXPECT_TRUE(settles([&] { return IsWindowVisible(reportBox()) != FALSE; }));
    EXPECT_EQ("6", stepBox());
    EXPECT_EQ("Ne", textOf(nthChild(main_, "Edit", 2)));

    EXPECT_EQ(expectedTitle(), textOf(nthChild(procesor, "Static", 0)));
    HWND list = nthChild(procesor, "ListBox", 0);
    EXPECT_EQ(wmic_->names, itemsOf(list));
    EXPECT_EQ(0, selectionOf(list));
    std::string shown = textOf(details(procesor));
    EXPECT_EQ("", firstDifference(expectedDetails(), linesOf(shown))) << shown;
    EXPECT_TRUE(noMessageBox());
}

TEST_F(CompleteReport, ZapsatAZavritAppendsTheDetailsAndFocusesUlozit) {
    ASSERT_NO_FATAL_FAILURE(start());
    ASSERT_TRUE(press(mainButton("Zobraz kompletní info")));
    HWND procesor = waitForProcesorInFront();
    ASSERT_TRUE(procesor);
    std::string before = report(), shown = textOf(details(procesor));
    ASSERT_FALSE(shown.empty());

    ASSERT_TRUE(press(writeButton(procesor)));
    HWND save = mainButton("Uložit do souboru ...");
    auto handedBack = [&] {
        return !IsWindow(procesor) && GetForegroundWindow() == main_ && activeOf(main_) == main_ &&
               focusOf(main_) == save;
    };
    EXPECT_TRUE(settles(handedBack))
        << "processor window " << (IsWindow(procesor) ? "still there" : "gone") << ", focus on \""
        << textOf(focusOf(main_)) << "\"";
    EXPECT_EQ(before + "\r\n" + shown + "\r\n", report());
    EXPECT_EQ("6", stepBox());
    EXPECT_FALSE(program_->ended(kQuiet));
}

// The focus is on "Zapsat a zavřít" when the window comes up: Enter presses it, and
// the close box closes the window without writing.
TEST_F(CompleteReport, EnterWritesAndTheCloseBoxDoesNot) {
    ASSERT_NO_FATAL_FAILURE(start());
    for (bool enter : {true, false}) {
        SCOPED_TRACE(enter ? "Enter" : "close box");
        ASSERT_TRUE(press(mainButton("Zobraz kompletní info")));
        HWND procesor = waitForProcesorInFront();
        ASSERT_TRUE(procesor);
        std::string before = report(), shown = textOf(details(procesor));
        ASSERT_TRUE(enter ? pressKey(procesor, VK_RETURN)
                          : PostMessageW(procesor, WM_CLOSE, 0, 0) != FALSE);
        HWND save = mainButton("Uložit do souboru ...");
        EXPECT_TRUE(waitFor([&] { return !IsWindow(procesor) && focusOf(main_) == save; }))
            << "focus on \"" << textOf(focusOf(main_)) << "\"";
        EXPECT_EQ(enter ? before + "\r\n" + shown + "\r\n" : before, report());
    }
}

// The processor window keeps the program running after the main window has gone,
// and "Zapsat a zavřít" then ends it without bringing the main window back.
TEST_F(CompleteReport, MainWindowClosedFirstTheProgramEndsWithTheProcessorWindow) {
    ASSERT_NO_FATAL_FAILURE(start());
    ASSERT_TRUE(press(mainButton("Zobraz kompletní info")));
    HWND procesor = waitForProcesorInFront();
    ASSERT_TRUE(procesor);
    ASSERT_TRUE(press(mainButton("Zavřít")));
    ASSERT_TRUE(waitFor([&] { return !IsWindow(main_); }));
    EXPECT_FALSE(program_->ended(kQuiet));
    EXPECT_TRUE(IsWindowVisible(procesor));

    ASSERT_TRUE(press(writeButton(procesor)));
    EXPECT_TRUE(program_->ended(kPatience));
    EXPECT_EQ(0u, program_->exitCode());
}

TEST_F(CompleteReport, SecondPressRebuildsTheReportAndOnlyRaisesTheProcessorWindow) {
    ASSERT_NO_FATAL_FAILURE(start());
    ASSERT_TRUE(press(mainButton("Zobraz kompletní info")));
    HWND procesor = waitForProcesorInFront();
    ASSERT_TRUE(procesor);
    // The user edits the details, and types into the report, which the next run clears.
    const std::string edit = "Upraveno: ";
    ASSERT_TRUE(typeInto(details(procesor), edit));
    ASSERT_TRUE(typeInto(reportBox(), "Poznámka"));
    ASSERT_TRUE(waitFor([&] {
        return textOf(details(procesor)).starts_with(edit) && !reportIsTheFiveSections();
    })) << "details \""
        << textOf(details(procesor)) << "\", report \"" << report() << "\"";
    std::string edited = textOf(details(procesor));

    ASSERT_TRUE(press(mainButton("Zobraz kompletní info")));
    EXPECT_TRUE(waitFor([&] { return reportIsTheFiveSections(); }))
        << firstDifference(expectedFiveSections(), linesOf(report()));
    EXPECT_EQ(procesor, waitForProcesorInFront()) << "the processor window was made anew";
    EXPECT_EQ(edited, textOf(details(procesor))) << "the processor window was loaded again";
    EXPECT_EQ(expectedTitle(), textOf(nthChild(procesor, "Static", 0)));
    EXPECT_EQ(wmic_->names, itemsOf(nthChild(procesor, "ListBox", 0)));
    EXPECT_TRUE(noMessageBox());

    // What the user typed is what goes into the report.
    std::string before = report();
    ASSERT_TRUE(press(writeButton(procesor)));
    EXPECT_TRUE(waitFor([&] { return !IsWindow(procesor); }));
    EXPECT_EQ(before + "\r\n" + edited + "\r\n", report());
}

// Runs by itself, in a process started with WMI's provider disabled, which the
// program inherits (tests/CMakeLists.txt). An environment block given to
// CreateProcess would not do: Wine takes a child's WINE* variables from the Unix
// environment of its parent, whatever the block says.
struct RunningKavronaWithoutWmi : ReportingKavrona {};
TEST_F(RunningKavronaWithoutWmi, CompleteReportShowsTheWmiDemoBoxAndAllFiveSections) {
    ASSERT_NO_FATAL_FAILURE(start());
    ASSERT_TRUE(press(mainButton("Zobraz kompletní info")));
    std::optional<MessageBoxShown> box = waitForMessageBox(pid());
    ASSERT_TRUE(box) << "no message box";
    EXPECT_EQ("WMI Demo", box->title);
    EXPECT_TRUE(box->text.starts_with(kWmiFailure)) << box->text;
    EXPECT_GT(box->text.size(), std::string(kWmiFailure).size()) << "no description";
    // The sections written so far show behind the box.
    EXPECT_TRUE(settles([&] { return IsWindowVisible(reportBox()) != FALSE; }));
    ASSERT_TRUE(pressBoxButton(box->hwnd));
    ASSERT_TRUE(waitUntilGone(box->hwnd));

    HWND procesor = waitForProcesorInFront();
    ASSERT_TRUE(procesor);
    std::string text = report();
    EXPECT_EQ("", firstDifference(expectedFiveSections(), linesOf(text))) << text;
    EXPECT_EQ("Label1", textOf(nthChild(procesor, "Static", 0)));
    EXPECT_TRUE(itemsOf(nthChild(procesor, "ListBox", 0)).empty());
    EXPECT_EQ("Text1", textOf(details(procesor)));
    EXPECT_TRUE(noMessageBox()) << "a second box";
}

}  // namespace
