// What the user may type as the report file's path, saved under Wine for real. Each
// case says what must happen: saved (and where), refused by the name check, or
// refused when writing. Either way the box says so, and nothing else on disk changes.
// report_paths_win32_test.sh prepares what needs the Linux side: an immutable file
// and a read-only folder.

#include <windows.h>

#include <gtest/gtest.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <map>
#include <set>

#include "app/report_record_win32.h"
#include "platform/system_reason_win32.h"
#include "platform/utf16_win32.h"
#include "support/real_program_win32.h"

namespace fs = std::filesystem;

namespace {

enum class Expect { Saved, NameRefused, WriteRefused };

struct PathCase {
    const char* name;
    // $D: the test's folder; $LOCKED: the immutable file; $RO: the read-only folder.
    // The program's working folder is $D\pracovni, where relative paths land.
    std::wstring typed;
    Expect expected;
    std::wstring lands;  // Saved: the file that gains the record, relative to $D
    // When set, `typed` is followed by folders and a name up to this full length.
    size_t fullLength = 0;
    // WriteRefused: the system error whose text the box gives; 0 for the program's
    // own text about the code page.
    DWORD reason = 0;
};

void PrintTo(const PathCase& c, std::ostream* out) {
    *out << c.name;
}

PathCase saved(const char* name, std::wstring typed, std::wstring lands, size_t fullLength = 0) {
    return {name, std::move(typed), Expect::Saved, std::move(lands), fullLength, 0};
}

PathCase nameRefused(const char* name, std::wstring typed) {
    return {name, std::move(typed), Expect::NameRefused, {}, 0, 0};
}

PathCase writeRefused(const char* name, std::wstring typed, DWORD reason, size_t fullLength = 0) {
    return {name, std::move(typed), Expect::WriteRefused, {}, fullLength, reason};
}

const PathCase kCases[] = {
    saved("FiveCharacters", L"a.txt", L"pracovni\\a.txt"),
    saved("RelativeSubfolder", L"podklady\\zprava.txt", L"pracovni\\podklady\\zprava.txt"),
    saved("RelativeParent", L"..\\vedle.txt", L"vedle.txt"),
    saved("CzechLettersOfTheCodePage", L"$D\\Přílohy\\Zpráva o počítači – ěščřžýůú.txt",
          L"Přílohy\\Zpráva o počítači – ěščřžýůú.txt"),
    saved("ExistingFileGetsARecordMore", L"$D\\zprava.txt", L"zprava.txt"),
    saved("FullPathOf259Characters", L"$D\\", L"", 259),
    nameRefused("UpperCaseEnding", L"$D\\zprava.TXT"),
    nameRefused("TrailingSpace", L"$D\\zprava.txt "),
    nameRefused("TextEnding", L"$D\\zprava.text"),
    nameRefused("EndingAlone", L".txt"),
    nameRefused("Empty", L""),
    writeRefused("MissingFolder", L"$D\\nic\\zprava.txt", ERROR_PATH_NOT_FOUND),
    writeRefused("Folder", L"$D\\slozka.txt", ERROR_ACCESS_DENIED),
    writeRefused("ReadOnlyFile", L"$LOCKED", ERROR_ACCESS_DENIED),
    writeRefused("ReadOnlyFolder", L"$RO\\novy.txt", ERROR_ACCESS_DENIED),
    // Windows without long-path support refuses these, where Wine would write them:
    // the program refuses them everywhere.
    writeRefused("FullPathOf260Characters", L"$D\\", ERROR_FILENAME_EXCED_RANGE, 260),
    writeRefused("FullPathOver260Characters", L"$D\\", ERROR_FILENAME_EXCED_RANGE, 300),
    writeRefused("RelativePathOver260InFull", L"hluboko\\", ERROR_FILENAME_EXCED_RANGE, 280),
    writeRefused("OutsideTheCodePage", L"$D\\日本語.txt", 0),
    writeRefused("OnlyABestFitInTheCodePage", L"$D\\Åland.txt", 0),
    // Wine finds no path there; Windows would say that the network path was not found.
    writeRefused("UnreachableUncPath", L"\\\\nikde-neni\\sdileni\\zprava.txt",
                 ERROR_PATH_NOT_FOUND),
    writeRefused("Wildcard", L"$D\\otazka?.txt", ERROR_INVALID_NAME),
    // Devices, not files: what is written to them is gone.
    writeRefused("DeviceNameNul", L"NUL.txt", ERROR_INVALID_NAME),
    writeRefused("DeviceNameInAFolder", L"$D\\com1.txt", ERROR_INVALID_NAME),
    writeRefused("DeviceNameAux", L"aux.txt", ERROR_INVALID_NAME),
};

const std::string kNotInTheCodePage =
    "Název souboru obsahuje znaky, které znaková sada systému neumí zapsat.";
const std::string kOlder = "star\x9A\xED z\xE1znam\r\n";

// The file system through the W calls on \\?\ paths, which reach past MAX_PATH
// characters where the C runtime under std::filesystem does not.
std::wstring longForm(const std::wstring& path) {
    wchar_t full[2048];
    DWORD n = GetFullPathNameW(path.c_str(), 2048, full, nullptr);
    return L"\\\\?\\" + std::wstring(full, n);
}

std::string bytesOf(const std::wstring& file) {
    HANDLE h = CreateFileW(longForm(file).c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr,
                           OPEN_EXISTING, 0, nullptr);
    std::string bytes;
    if (h == INVALID_HANDLE_VALUE) return bytes;
    char buffer[4096];
    for (DWORD n = 0; ReadFile(h, buffer, sizeof buffer, &n, nullptr) && n > 0;)
        bytes.append(buffer, n);
    CloseHandle(h);
    return bytes;
}

void write(const std::wstring& file, const std::string& bytes) {
    std::ofstream(fs::path(file), std::ios::binary) << bytes;
}

void makeFolders(const std::wstring& path) {
    std::wstring full = longForm(path);
    for (size_t at = full.find(L'\\', 7); at != std::wstring::npos; at = full.find(L'\\', at + 1))
        CreateDirectoryW(full.substr(0, at).c_str(), nullptr);
    CreateDirectoryW(full.c_str(), nullptr);
}

bool isFile(const std::wstring& path) {
    DWORD attributes = GetFileAttributesW(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
}

// Every file and folder under `root`, by path below it, with the files' bytes.
void addTree(const std::wstring& root, const std::wstring& below,
             std::map<std::wstring, std::string>& out) {
    WIN32_FIND_DATAW found;
    HANDLE find = FindFirstFileW((longForm(root + below) + L"\\*").c_str(), &found);
    if (find == INVALID_HANDLE_VALUE) return;
    do {
        std::wstring name = found.cFileName;
        if (name == L"." || name == L"..") continue;
        std::wstring path = below + L"\\" + name;
        if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
            out[path] = "<folder>";
            addTree(root, path, out);
        } else {
            out[path] = bytesOf(root + path);
        }
    } while (FindNextFileW(find, &found));
    FindClose(find);
}

std::map<std::wstring, std::string> tree(const std::wstring& root) {
    std::map<std::wstring, std::string> out;
    addTree(root, L"", out);
    return out;
}

std::set<std::wstring> namesIn(const std::wstring& folder) {
    std::set<std::wstring> out;
    for (const auto& [name, bytes] : tree(folder))
        if (name.find(L'\\', 1) == std::wstring::npos) out.insert(name);
    return out;
}

// Where the default report file goes, which is not where relative paths land.
std::wstring programFolder() {
    wchar_t exe[MAX_PATH];
    std::wstring path(exe, GetModuleFileNameW(nullptr, exe, MAX_PATH));
    return path.substr(0, path.rfind(L'\\'));
}

std::wstring replaced(std::wstring text, const std::wstring& what, const std::wstring& with) {
    if (size_t at = text.find(what); at != std::wstring::npos) text.replace(at, what.size(), with);
    return text;
}

std::wstring fromEnvironment(const char* variable) {
    const char* value = std::getenv(variable);
    return value ? widen(value) : std::wstring();
}

struct ReportPathsByScript : testing::TestWithParam<PathCase> {
    RealProgram program;
    Form1& form1 = program.k.form1;
    // A folder of its own for each case, under the script's, which removes them all.
    std::wstring folder = fromEnvironment("KAVRONA_PATHS_FOLDER") + L"\\" + widen(GetParam().name);
    std::wstring working = folder + L"\\pracovni";
    fs::path before;  // the working folder the test started in

    void SetUp() override {
        ASSERT_EQ(1250u, GetACP()) << "run with LANG=cs_CZ.UTF-8 LC_ALL=cs_CZ.UTF-8";
        if (fromEnvironment("KAVRONA_PATHS_FOLDER").empty())
            GTEST_SKIP() << "run by report_paths_win32_test.sh";
        makeFolders(working + L"\\podklady");
        makeFolders(folder + L"\\Přílohy");
        makeFolders(folder + L"\\slozka.txt");
        write(folder + L"\\zprava.txt", kOlder);
        write(folder + L"\\zprava.text", kOlder);
        write(working + L"\\.txt", kOlder);
        before = fs::current_path();
        ASSERT_TRUE(SetCurrentDirectoryW(working.c_str()));
        form1.tb_Info.setText(kReport);
        form1.tb_Txt_DIR.setFocus();
    }
    void TearDown() override {
        if (!before.empty()) fs::current_path(before);
    }

    std::wstring typedPath(const PathCase& c) {
        std::wstring typed = replaced(c.typed, L"$D", folder);
        typed = replaced(typed, L"$LOCKED", fromEnvironment("KAVRONA_READ_ONLY_FILE"));
        typed = replaced(typed, L"$RO", fromEnvironment("KAVRONA_READ_ONLY_FOLDER"));
        if (c.fullLength) typed = deepPath(typed, c.fullLength);
        return typed;
    }
    // `start`, then existing folders and a name, to a full path of exactly `length`.
    std::wstring deepPath(std::wstring path, size_t length) {
        wchar_t full[1024];
        size_t prefix = GetFullPathNameW(path.c_str(), 1024, full, nullptr);
        const size_t ending = 5;  // "x.txt"
        while (prefix + ending < length) {
            size_t part = std::min<size_t>(length - prefix - ending, 100);
            if (part > 1) {
                path += std::wstring(part - 1, L'd') + L"\\";
                makeFolders(path);
            } else {
                path += L"d";
            }
            prefix += part;
        }
        return path + L"x.txt";
    }
};

TEST_P(ReportPathsByScript, SaysSoAndLosesNothing) {
    const PathCase& c = GetParam();
    std::wstring typed = typedPath(c);
    if (c.fullLength) {
        wchar_t full[1024];
        ASSERT_EQ(c.fullLength, GetFullPathNameW(typed.c_str(), 1024, full, nullptr));
    }
    std::map<std::wstring, std::string> was = tree(folder);
    bool targetThere = isFile(typed);
    std::string targetWas = bytesOf(typed);
    std::set<std::wstring> besideTheProgram = namesIn(programFolder());

    form1.tb_Txt_DIR.setText(narrow(typed));
    auto started = std::chrono::steady_clock::now();
    form1.cmd_Save.click();
    EXPECT_LT(std::chrono::steady_clock::now() - started, std::chrono::seconds(10));

    ASSERT_EQ(1u, program.dialogs.shown.size());
    const ShownMessage& box = program.dialogs.shown[0];
    EXPECT_EQ("Uložení do souboru ...", box.title);
    std::map<std::wstring, std::string> now = tree(folder);
    switch (c.expected) {
        case Expect::Saved: {
            EXPECT_EQ("Soubor byl uložen na adresu:\r\n" + narrow(typed), box.text);
            EXPECT_EQ(kInformationIcon, box.style);
            EXPECT_EQ(&form1.cmd_Print, form1.focus());
            std::wstring lands =
                L"\\" + (c.lands.empty() ? typed.substr(folder.size() + 1) : c.lands);
            ASSERT_TRUE(now.count(lands)) << narrow(lands);
            std::string older = was.count(lands) ? was[lands] : std::string();
            std::string record = now[lands].substr(std::min(older.size(), now[lands].size()));
            EXPECT_TRUE(now[lands].starts_with(older));
            EXPECT_TRUE(record.starts_with(kStampBytes) && record.ends_with(kRecordTail)) << record;
            now.erase(lands);
            was.erase(lands);
            break;
        }
        case Expect::NameRefused:
            EXPECT_EQ("Chyba názvu souboru\r\nnebo chybí data o PC", box.text);
            EXPECT_EQ(kStopIcon, box.style);
            EXPECT_EQ(&form1.tb_Txt_DIR, form1.focus());
            break;
        case Expect::WriteRefused:
            EXPECT_EQ("Soubor se nepodařilo uložit.\r\n" +
                          (c.reason ? systemReason(c.reason) : kNotInTheCodePage),
                      box.text);
            EXPECT_EQ(kStopIcon, box.style);
            EXPECT_EQ(&form1.tb_Txt_DIR, form1.focus());
            break;
    }
    if (c.expected != Expect::Saved && targetThere) {
        EXPECT_EQ(targetWas, bytesOf(typed));
    }
    EXPECT_EQ(was, now) << "files made or changed besides the report file";
    EXPECT_EQ(besideTheProgram, namesIn(programFolder())) << "a file beside the program";
    EXPECT_EQ(kReport, form1.tb_Info.text());
}

INSTANTIATE_TEST_SUITE_P(Typed, ReportPathsByScript, testing::ValuesIn(kCases),
                         [](const testing::TestParamInfo<PathCase>& info) {
                             return std::string(info.param.name);
                         });

}  // namespace
