// Printer faults under Wine, made by printer_faults_win32_test.sh on a CUPS of its
// own: each press of "Tisknout zobrazené ..." ends in a box that says what became of
// the job, within a bounded time, and the report stays as it was.

#include <windows.h>

#include <gtest/gtest.h>

#include <chrono>
#include <cstdlib>
#include <fstream>

#include "support/real_program_win32.h"

namespace {

using namespace std::chrono_literals;

const std::string kReport = "Řádek žluťoučký\r\nDruhý řádek\r\n";
const std::string kNoPrinter = "Tisk se nezdařil.\r\nNení nastavena žádná výchozí tiskárna.";
const std::string kNotQueued = "Tisk se nezdařil.\r\nTisková fronta úlohu nepřijala.";
const std::string kTitle = "Tisk dat ...";

struct PrinterFaultsByScript : testing::Test {
    RealProgram program;
    Form1& form1 = program.k.form1;
    std::chrono::steady_clock::duration took{};

    void SetUp() override {
        if (!std::getenv("KAVRONA_PRINTER_FAULT"))
            GTEST_SKIP() << "run by printer_faults_win32_test.sh";
        form1.tb_Info.setText(kReport);
        form1.cmd_Save.setFocus();
    }
    void print() {
        auto started = std::chrono::steady_clock::now();
        form1.cmd_Print.click();
        took = std::chrono::steady_clock::now() - started;
        EXPECT_LT(took, 20s) << "no hang";
        EXPECT_EQ(kReport, form1.tb_Info.text());
    }
    std::vector<std::string> texts() { return program.dialogs.texts(); }
    // The last box tells of the failure and why; the focus stays.
    void expectFailureLast(const std::string& text) {
        ASSERT_FALSE(program.dialogs.shown.empty());
        const ShownMessage& last = program.dialogs.shown.back();
        EXPECT_EQ(text, last.text);
        EXPECT_EQ(kStopIcon, last.style);
        EXPECT_EQ(kTitle, last.title);
        EXPECT_EQ(&form1.cmd_Save, form1.focus());
    }
    void expectAskedFirst() {
        ASSERT_FALSE(program.dialogs.shown.empty());
        EXPECT_EQ("Tiskout dokument?", program.dialogs.shown[0].text);
        EXPECT_EQ(kQuestionIcon | kOkCancel, program.dialogs.shown[0].style);
        EXPECT_EQ(kTitle, program.dialogs.shown[0].title);
    }
};

// CUPS_SERVER at a socket where nothing listens: Wine sees no printer at all.
TEST_F(PrinterFaultsByScript, NoDefaultPrinter) {
    print();
    ASSERT_EQ(1u, texts().size()) << "nothing to ask about";
    expectFailureLast(kNoPrinter);
}

// cupsreject: the queue refuses the job when it is handed over.
TEST_F(PrinterFaultsByScript, QueueRefusesJobs) {
    print();
    ASSERT_EQ(2u, texts().size());
    expectAskedFirst();
    expectFailureLast(kNotQueued);
}

// cupsdisable: the queue still takes the job and holds it until it is enabled, so
// the job did reach the queue, and the box says no more than that.
TEST_F(PrinterFaultsByScript, DisabledQueueHoldsTheJob) {
    print();
    EXPECT_EQ(
        (std::vector<std::string>{"Tiskout dokument?", "Přenos do tiskového frontu ukončen."}),
        texts());
    ASSERT_EQ(2u, program.dialogs.shown.size());
    EXPECT_EQ(kInformationIcon, program.dialogs.shown[1].style);
    EXPECT_EQ(&form1.cmd_End, form1.focus());
}

// cupsd gone before the program starts: Wine keeps no printer of it.
TEST_F(PrinterFaultsByScript, CupsStoppedBeforeTheProgram) {
    print();
    ASSERT_EQ(1u, texts().size());
    expectFailureLast(kNoPrinter);
}

// cupsd stopped while the question stands: the job cannot be handed over.
TEST_F(PrinterFaultsByScript, CupsStoppedWhileAsking) {
    const char* signal = std::getenv("KAVRONA_PRINTER_ASKING");
    ASSERT_TRUE(signal) << "the script waits for this file";
    program.dialogs.whileOpen = [&](const ShownMessage& box) {
        if (box.text != "Tiskout dokument?") return;
        std::ofstream(signal) << "asking";
        // The script stops cupsd and then removes the file.
        for (int i = 0; i < 300 && GetFileAttributesA(signal) != INVALID_FILE_ATTRIBUTES; ++i)
            Sleep(100);  // not sleep_for: see automation_win32.cpp
    };
    print();
    ASSERT_EQ(2u, texts().size());
    expectAskedFirst();
    expectFailureLast(kNotQueued);
}

}  // namespace
