#include "app/without_window.h"

#include <gtest/gtest.h>

#include <functional>
#include <new>
#include <stdexcept>

#include "app/kavrona.h"
#include "platform/console_fake.h"
#include "platform/platform_fake.h"

namespace {

const std::string kPath = "C:\\Data\\Kavrona.txt";
const std::string kFailed = "Informace se nepodařilo zjistit. Nastala chyba: ";

FakeWmiInstance cpu(int n, WmiValue name) {
    return {"\\\\PC\\ROOT\\CIMV2:Win32_Processor.DeviceID=\"CPU" + std::to_string(n) + "\"",
            {{"Name", std::move(name)},
             {"Description", WmiValue::ofText("Family " + std::to_string(n))},
             {"CurrentClockSpeed", WmiValue::ofInteger(2800 + n)}}};
}

FakeWmiInstance cpu(int n) {
    return cpu(n, WmiValue::ofText("Procesor " + std::to_string(n)));
}

std::string detailsOf(int n) {
    return "\r\nProcesor: Procesor " + std::to_string(n) + "\r\nPopis: Family " +
           std::to_string(n) + "\r\nRychlost: " + std::to_string(2800 + n) + "   MHz\r\n\r\n";
}

// One machine, scripted alike for the buttons and for the run without a window.
void script(FakePlatform& os) {
    os.environment.variables = {{"COMPUTERNAME", "PC-KANCELAR"}, {"USERNAME", "jiri"}};
    os.network.answer = adaptersWith(AdapterStatus::Ok, {"192.168.1.10"});
    os.volumes.add('C', 0x12AB00CD, "SYSTEM").space = FakeSpace{0, 80023715840, 1048576000};
    os.wmi.processors = {cpu(0)};
}

struct WithoutWindow : testing::Test {
    FakePlatform os;
    FakeConsole console;
    void SetUp() override { script(os); }

    int run(std::vector<std::string> arguments) {
        return runWithoutWindow(readCommandLine(arguments), os.platform(), console);
    }
    int report(const std::string& path = kPath) { return run({"/report", path}); }

    // What "Zobraz kompletní info", "Zapsat a zavřít" and "Uložit do souboru ..." add
    // to a file that held `before`, on a machine scripted as this one.
    std::string byTheButtons(const std::string& before) {
        FakePlatform other;
        script(other);
        other.files.contents[kPath] = before;
        HeadlessView view;
        Kavrona k{other.platform(), view};
        k.start();
        k.form1.cmd_Print_on_listbox.click();
        k.procesor.cmd_Write.click();
        k.form1.tb_Txt_DIR.setText(kPath);
        k.form1.cmd_Save.click();
        return other.files.contents[kPath];
    }
};

TEST_F(WithoutWindow, WritesTheButtonsRecordToANewAndToAnExistingFile) {
    EXPECT_EQ(kExitDone, report());
    EXPECT_EQ(byTheButtons(""), os.files.contents[kPath]);
    EXPECT_EQ(kExitDone, report());
    const std::string second = os.files.contents[kPath];
    EXPECT_EQ(byTheButtons(byTheButtons("")), second);
    EXPECT_EQ(2u, os.files.appendedTo.size());
    EXPECT_TRUE(os.dialogs.shown.empty());
    EXPECT_TRUE(console.outLines.empty());
    EXPECT_TRUE(console.errLines.empty());
}

TEST_F(WithoutWindow, EveryProcessorInWmisOrderEachAsTheWindowWritesIt) {
    os.wmi.processors = {cpu(3), cpu(1), cpu(2)};
    ASSERT_EQ(kExitDone, report());
    const std::string& file = os.files.contents[kPath];
    const std::string tail =
        detailsOf(3) + detailsOf(1) + detailsOf(2) + "\r\n" + std::string(68, '#') + "\r\n";
    EXPECT_TRUE(file.ends_with(tail)) << file;
    EXPECT_EQ(1, os.wmi.times("item " + os.wmi.processors[1].path));
}

// README: the other sections are worth the record; the line on the console, and the
// same words where the processor section would stand, tell what is missing.
TEST_F(WithoutWindow, AWmiFailureIsSaidInPlaceOfTheProcessorsAndStillWrites) {
    struct Case {
        const char* name;
        void (*fail)(FakePlatform&);
        std::string description;
    } cases[] = {
        {"no connection", [](FakePlatform& p) { p.wmi.failing["connect"] = kWmiNotFound; },
         kWmiNotFound},
        {"a null name after one listed",
         [](FakePlatform& p) {
             p.wmi.processors = {cpu(0), cpu(1, WmiValue{})};
         },
         "Invalid use of Null"},
    };
    const std::string withoutProcessors = [] {
        FakePlatform p;
        script(p);
        p.wmi.processors.clear();
        FakeConsole quiet;
        runWithoutWindow(readCommandLine({"/report", kPath}), p.platform(), quiet);
        return p.files.contents[kPath];
    }();
    for (const Case& c : cases) {
        FakePlatform p;
        script(p);
        c.fail(p);
        FakeConsole told;
        EXPECT_EQ(kExitDone,
                  runWithoutWindow(readCommandLine({"/report", kPath}), p.platform(), told))
            << c.name;
        // In the report, before the record's last line end and rule.
        std::string expected = withoutProcessors;
        expected.insert(expected.rfind("\r\n", expected.size() - 3),
                        toCp1250("\r\n" + kFailed + c.description + "\r\n").bytes);
        EXPECT_EQ(expected, p.files.contents[kPath]) << c.name;
        EXPECT_EQ(std::vector<std::string>{kFailed + c.description}, told.errLines) << c.name;
        EXPECT_TRUE(p.dialogs.shown.empty()) << c.name;
    }
}

TEST_F(WithoutWindow, EachFailureHasItsCodeAndTheBoxsWordsOnOneLine) {
    const std::string before = "older record\r\n";
    struct Case {
        const char* name;
        std::string path;
        void (*fault)(FakeFiles&);
        int code;
        std::string line;
    } cases[] = {
        {"upper-case ending", "C:\\Data\\Kavrona.TXT", nullptr, kExitNameRefused,
         "Chyba názvu souboru nebo chybí data o PC"},
        {"outside the code page", "C:\\Data\\日報.txt", nullptr, kExitNotSaved,
         std::string("Soubor se nepodařilo uložit. ") + kNameOutsideCodePage},
        {"cannot be opened", kPath,
         [](FakeFiles& f) { f.unopenable["C:\\Data\\Kavrona.txt"] = "Přístup byl odepřen."; },
         kExitNotSaved, "Soubor se nepodařilo uložit. Přístup byl odepřen."},
        {"full disk", kPath, [](FakeFiles& f) { f.shortWrite = "Na disku není dost místa."; },
         kExitNotSaved, "Soubor se nepodařilo uložit. Na disku není dost místa."},
        {"not flushed", kPath, [](FakeFiles& f) { f.failedFlush = "Chyba zařízení."; },
         kExitNotSaved, "Soubor se nepodařilo uložit. Chyba zařízení."},
    };
    for (const Case& c : cases) {
        FakePlatform p;
        script(p);
        p.files.contents[kPath] = before;
        if (c.fault) c.fault(p.files);
        FakeConsole told;
        EXPECT_EQ(c.code,
                  runWithoutWindow(readCommandLine({"/report", c.path}), p.platform(), told))
            << c.name;
        EXPECT_EQ(std::vector<std::string>{c.line}, told.errLines) << c.name;
        EXPECT_TRUE(told.outLines.empty()) << c.name;
        EXPECT_TRUE(p.files.appendedTo.empty()) << c.name;
        EXPECT_EQ(before, p.files.contents[kPath]) << c.name;
        EXPECT_TRUE(p.dialogs.shown.empty()) << c.name;
    }
}

TEST_F(WithoutWindow, UsageOnOutputWhenAskedOnErrorForAWrongSwitch) {
    const std::vector<std::string> usage(std::begin(kUsage), std::end(kUsage));
    EXPECT_EQ(kExitDone, run({"/?"}));
    EXPECT_EQ(usage, console.outLines);
    EXPECT_TRUE(console.errLines.empty());

    console.outLines.clear();
    EXPECT_EQ(kExitWrongSwitch, run({"/raport", kPath}));
    EXPECT_EQ(kExitWrongSwitch, run({"/report"}));
    EXPECT_TRUE(console.outLines.empty());
    std::vector<std::string> twice = usage;
    twice.insert(twice.end(), usage.begin(), usage.end());
    EXPECT_EQ(twice, console.errLines);
    EXPECT_TRUE(os.files.contents.empty());
    EXPECT_TRUE(os.wmi.asked.empty());
}

// A clock that throws as it is read: at the record's time stamp, when the report is
// gathered and the file not yet touched.
struct ThrowingClock : Clock {
    std::function<void()> fault;
    LocalStamp now() override {
        fault();
        return {};
    }
    ZonedStamp zonedNow() override {
        fault();
        return {};
    }
};

// An exception escaping the run would end in the C runtime's abort box, which under a
// scheduled task waits for ever: it ends as a file that could not take the record.
TEST_F(WithoutWindow, AnExceptionEndsWithCodeTwoAndOneLine) {
    struct Case {
        const char* name;
        std::function<void()> fault;
        std::string line;
    } cases[] = {
        {"no memory", [] { throw std::bad_alloc(); }, "nedostatek paměti"},
        {"a standard one over two lines", [] { throw std::runtime_error("disk\r\nselhal"); },
         "disk selhal"},
        {"not a standard one", [] { throw 7; }, "neznámá chyba"},
    };
    for (const char* ask : {"/report", "/json"}) {
        for (const Case& c : cases) {
            FakePlatform p;
            script(p);
            ThrowingClock clock;
            clock.fault = c.fault;
            Platform o = p.platform();
            Platform throwing{o.version,     o.user,    o.environment, o.dialogs,  o.shell,
                              o.folder,      o.printer, o.files,       clock,      o.system,
                              o.directories, o.wmi,     o.network,     o.registry, o.memory,
                              o.volumes,     o.regional};
            FakeConsole told;
            EXPECT_EQ(kExitNotSaved,
                      runWithoutWindow(readCommandLine({ask, kPath}), throwing, told))
                << ask << ", " << c.name;
            EXPECT_EQ(
                std::vector<std::string>{"Záznam se nepodařilo pořídit. Nastala chyba: " + c.line},
                told.errLines)
                << ask << ", " << c.name;
            EXPECT_TRUE(told.outLines.empty()) << ask << ", " << c.name;
            EXPECT_TRUE(p.files.appendedTo.empty()) << ask << ", " << c.name;
            EXPECT_TRUE(p.dialogs.shown.empty()) << ask << ", " << c.name;
        }
    }
}

}  // namespace
