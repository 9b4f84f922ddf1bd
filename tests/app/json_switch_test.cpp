// `Kavrona.exe /json FILE` and `/json -` on the scripted services: the record goes whole
// or not at all, with /report's exit codes and its words on the console.

#include <gtest/gtest.h>

#include <nlohmann/json.hpp>

#include "app/json_record.h"
#include "app/without_window.h"
#include "platform/console_fake.h"
#include "platform/platform_fake.h"

namespace {

struct JsonSwitch : testing::Test {
    FakePlatform os;
    FakeConsole console;

    void SetUp() override {
        os.environment.variables = {{"COMPUTERNAME", "PC-KANCELAR"}, {"USERNAME", "jiri"}};
        os.volumes.add('C', 0x12AB00CD, "SYSTEM");
    }
    int run(std::vector<std::string> arguments) {
        return runWithoutWindow(readCommandLine(arguments), os.platform(), console);
    }
    // Nothing shown, nothing said, nothing written but by the switch.
    void expectQuietOtherwise() {
        EXPECT_TRUE(os.dialogs.shown.empty());
        EXPECT_TRUE(console.outLines.empty());
        EXPECT_TRUE(os.files.contents.empty());
    }
};

TEST_F(JsonSwitch, EachRunAppendsOneLineToAnyNameTheSystemTakes) {
    const std::string before = "{\"older\": 1}\n";
    for (const std::string name :
         {"C:\\Inventura\\PC.jsonl", "\\\\server\\share\\日報.JSON", "PC"}) {
        os.files.utf8Contents[name] = before;
        ASSERT_EQ(kExitDone, run({"/json", name})) << name;
        ASSERT_EQ(kExitDone, run({"/JSON", name})) << name;
        const std::string& file = os.files.utf8Contents[name];
        ASSERT_TRUE(file.starts_with(before)) << name;
        const std::string line = file.substr(before.size(), (file.size() - before.size()) / 2);
        EXPECT_EQ(before + line + line, file) << name;
        EXPECT_EQ("PC-KANCELAR", nlohmann::json::parse(line)["computer"]) << name;
    }
    EXPECT_TRUE(console.recorded.empty());
    EXPECT_TRUE(console.errLines.empty());
    expectQuietOtherwise();
}

TEST_F(JsonSwitch, AWmiFailureIsInTheRecordAndTheRecordIsWritten) {
    os.wmi.failing["connect"] = kWmiNotFound;
    ASSERT_EQ(kExitDone, run({"/json", "PC.jsonl"}));
    const auto r = nlohmann::json::parse(os.files.utf8Contents["PC.jsonl"]);
    EXPECT_EQ(nullptr, r["processors"]);
    EXPECT_EQ(kWmiNotFound, r["processorsError"]);
    EXPECT_TRUE(console.errLines.empty());
    expectQuietOtherwise();
}

TEST_F(JsonSwitch, ADashIsTheStandardOutputAndNoFile) {
    ASSERT_EQ(kExitDone, run({"/json", "-"}));
    EXPECT_EQ(1, std::count(console.recorded.begin(), console.recorded.end(), '\n'));
    EXPECT_TRUE(console.recorded.ends_with("\n"));
    EXPECT_EQ("jiri", nlohmann::json::parse(console.recorded)["user"]);
    EXPECT_TRUE(os.files.utf8Contents.empty());
    EXPECT_TRUE(os.files.appendedTo.empty());
    EXPECT_TRUE(console.errLines.empty());
    expectQuietOtherwise();
}

TEST_F(JsonSwitch, WhatIsNotWrittenIsExitTwoWithTheReasonOnOneLine) {
    const std::string before = "{\"older\": 1}\n";
    const struct {
        const char* name;
        std::string file;
        void (*fault)(FakePlatform&, FakeConsole&);
        std::string line;
    } cases[] = {
        {"cannot be opened", "PC.jsonl",
         [](FakePlatform& p, FakeConsole&) {
             p.files.unopenable["PC.jsonl"] = "Přístup byl odepřen.";
         },
         "Soubor se nepodařilo uložit. Přístup byl odepřen."},
        {"full disk, cut back", "PC.jsonl",
         [](FakePlatform& p, FakeConsole&) {
             p.files.shortWrite =
                 "Na disku není dost místa.\r\nSoubor může obsahovat část záznamu: X";
         },
         "Soubor se nepodařilo uložit. Na disku není dost místa. Soubor může obsahovat část "
         "záznamu: X"},
        {"not flushed", "PC.jsonl",
         [](FakePlatform& p, FakeConsole&) { p.files.failedFlush = "Chyba zařízení."; },
         "Soubor se nepodařilo uložit. Chyba zařízení."},
        {"output refused", "-",
         [](FakePlatform&, FakeConsole& c) { c.refusal = "Kanál byl ukončen."; },
         "Standardní výstup záznam nepřijal. Kanál byl ukončen."},
    };
    for (const auto& c : cases) {
        FakePlatform p;
        p.files.utf8Contents["PC.jsonl"] = before;
        FakeConsole told;
        c.fault(p, told);
        EXPECT_EQ(kExitNotSaved,
                  runWithoutWindow(readCommandLine({"/json", c.file}), p.platform(), told))
            << c.name;
        EXPECT_EQ(std::vector<std::string>{c.line}, told.errLines) << c.name;
        EXPECT_TRUE(told.outLines.empty()) << c.name;
        EXPECT_EQ(before, p.files.utf8Contents["PC.jsonl"]) << c.name;
        EXPECT_EQ("", told.recorded) << c.name;
        EXPECT_TRUE(p.dialogs.shown.empty()) << c.name;
    }
}

TEST_F(JsonSwitch, WithoutItsFileTheUsage) {
    EXPECT_EQ(kExitWrongSwitch, run({"/json"}));
    EXPECT_EQ(kExitWrongSwitch, run({"/json", "a.jsonl", "b.jsonl"}));
    const std::vector<std::string> usage(std::begin(kUsage), std::end(kUsage));
    std::vector<std::string> twice = usage;
    twice.insert(twice.end(), usage.begin(), usage.end());
    EXPECT_EQ(twice, console.errLines);
    EXPECT_TRUE(os.files.utf8Contents.empty());
    EXPECT_TRUE(os.wmi.asked.empty());
    EXPECT_TRUE(console.recorded.empty());
}

}  // namespace
