#include <windows.h>

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <regex>

#include "app/report_record_win32.h"
#include "support/real_program_win32.h"

namespace fs = std::filesystem;

namespace {

const std::string kFailure = "Soubor se nepodařilo uložit.\r\n";

std::string bytesOf(const fs::path& file) {
    std::ifstream in(file, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

struct SavingWin32 : testing::Test {
    RealProgram program;
    Form1& form1 = program.k.form1;
    fs::path folder =
        fs::temp_directory_path() / ("kavrona-save-" + std::to_string(GetCurrentProcessId()));

    void SetUp() override {
        ASSERT_EQ(1250u, GetACP()) << "run with LANG=cs_CZ.UTF-8 LC_ALL=cs_CZ.UTF-8";
        fs::create_directories(folder);
        form1.tb_Info.setText(kReport);
        form1.tb_Txt_DIR.setFocus();
    }
    void TearDown() override { fs::remove_all(folder); }

    std::string save(const fs::path& file) {
        program.dialogs.shown.clear();
        form1.tb_Txt_DIR.setText(narrow(file.wstring()));
        form1.cmd_Save.click();
        return program.dialogs.shown.empty() ? std::string() : program.dialogs.shown.back().text;
    }
    static std::string narrow(const std::wstring& wide) {
        int n = WideCharToMultiByte(CP_UTF8, 0, wide.data(), static_cast<int>(wide.size()), nullptr,
                                    0, nullptr, nullptr);
        std::string out(static_cast<size_t>(n), '\0');
        WideCharToMultiByte(CP_UTF8, 0, wide.data(), static_cast<int>(wide.size()), out.data(), n,
                            nullptr, nullptr);
        return out;
    }
    // A file that cannot be written keeps its bytes, and the box names the failure.
    void expectRefused(const fs::path& file, const std::string& before) {
        std::string box = save(file);
        EXPECT_TRUE(box.starts_with(kFailure) && box.size() > kFailure.size()) << box;
        ASSERT_EQ(1u, program.dialogs.shown.size());
        EXPECT_EQ(kStopIcon, program.dialogs.shown[0].style);
        EXPECT_EQ("Uložení do souboru ...", program.dialogs.shown[0].title);
        EXPECT_EQ(&form1.tb_Txt_DIR, form1.focus());
        if (fs::is_regular_file(file)) {
            EXPECT_EQ(before, bytesOf(file));
        }
    }
};

TEST_F(SavingWin32, RecordHasTheBytesAndACzechDate) {
    fs::path file = folder / L"zpráva.txt";
    SYSTEMTIME today{};
    GetLocalTime(&today);
    EXPECT_EQ("Soubor byl uložen na adresu:\r\n" + narrow(file.wstring()), save(file));
    std::string bytes = bytesOf(file);
    ASSERT_TRUE(bytes.starts_with(kStampBytes)) << bytes;
    ASSERT_TRUE(bytes.ends_with(kRecordTail)) << bytes;
    std::string stamp =
        bytes.substr(kStampBytes.size(), bytes.size() - kStampBytes.size() - kRecordTail.size());
    std::smatch m;
    ASSERT_TRUE(std::regex_match(
        stamp, m, std::regex(R"((\d{1,2})\. (\d{1,2})\. (\d{4}) \d{1,2}:\d\d:\d\d)")))
        << stamp;
    EXPECT_EQ(today.wDay, std::stoi(m[1]));
    EXPECT_EQ(today.wMonth, std::stoi(m[2]));
    EXPECT_EQ(today.wYear, std::stoi(m[3]));
    EXPECT_EQ(&form1.cmd_Print, form1.focus());

    save(file);
    EXPECT_EQ(2 * bytes.size(), bytesOf(file).size());
}

// A file the Linux side has prepared on a full disk. The report path cases are in
// report_paths_win32_test.cpp.
struct SavingFaultsByScript : SavingWin32 {
    void refuses(const char* variable) {
        const char* name = std::getenv(variable);
        if (!name) GTEST_SKIP() << variable << " is set by saving_win32_test.sh";
        fs::path file = name;
        std::string before = bytesOf(file);
        ASSERT_FALSE(before.empty());
        expectRefused(file, before);
    }
};

TEST_F(SavingFaultsByScript, FullDisk) {
    refuses("KAVRONA_FULL_DISK_FILE");
}

}  // namespace
