// Extra drives under Wine 8, made the way winecfg makes them: mountmgr's
// IOCTL_MOUNTMGR_DEFINE_UNIX_DRIVE links $WINEPREFIX/dosdevices/<letter>: to a Unix
// folder and writes the drive's type under HKLM\Software\Wine\Drives ("network",
// "cdrom", ...), and it takes effect in the running session. A symlink made by hand
// is only seen after the wineserver restarts. Defining the letter again with type
// DRIVE_NO_ROOT_DIR and no folder removes link and type; DRIVE_UNKNOWN would leave a
// rootless drive behind. A file .windows-label in the folder gives the volume label
// (read as UTF-8), .windows-serial the serial number (8 hex digits); both are read
// on every call. Without them the label is blank and the serial is the drive letter
// in the top byte (C: is 43000000).

#include <windows.h>
#include <winioctl.h>

#include <gtest/gtest.h>

#include "app/step_alone.h"

#include <fstream>

#include "app/real_program_win32.h"

namespace {

// Wine 8's layout; mingw's ddk/mountmgr.h has an older, shorter one.
struct WineUnixDrive {
    ULONG size;
    ULONG type;
    ULONG fs_type;
    DWORD serial;
    ULONGLONG unix_dev;
    WCHAR letter;
    USHORT mount_point_offset;
    USHORT device_offset;
    USHORT label_offset;
};
constexpr DWORD kDefineUnixDrive =
    CTL_CODE('m', 32, METHOD_BUFFERED, FILE_READ_ACCESS | FILE_WRITE_ACCESS);

bool defineDrive(char letter, ULONG type, const std::string& unixFolder) {
    HANDLE mgr =
        CreateFileW(L"\\\\.\\MountPointManager", GENERIC_READ | GENERIC_WRITE,
                    FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING, 0, nullptr);
    if (mgr == INVALID_HANDLE_VALUE) return false;
    std::vector<char> buffer(sizeof(WineUnixDrive) + unixFolder.size() + 1, '\0');
    auto* drive = reinterpret_cast<WineUnixDrive*>(buffer.data());
    drive->size = static_cast<ULONG>(buffer.size());
    drive->type = type;
    drive->letter = static_cast<WCHAR>(std::tolower(letter));
    if (!unixFolder.empty()) {
        drive->mount_point_offset = sizeof(WineUnixDrive);
        unixFolder.copy(buffer.data() + sizeof(WineUnixDrive), unixFolder.size());
    }
    BOOL ok = DeviceIoControl(mgr, kDefineUnixDrive, buffer.data(),
                              static_cast<DWORD>(buffer.size()), nullptr, 0, nullptr, nullptr);
    CloseHandle(mgr);
    return ok != FALSE;
}

std::string unixPath(const std::string& windowsPath) {
    using Convert = char*(CDECL*)(LPCWSTR);
    auto convert = reinterpret_cast<Convert>(reinterpret_cast<void*>(
        GetProcAddress(GetModuleHandleW(L"kernel32.dll"), "wine_get_unix_file_name")));
    if (!convert) return {};
    std::wstring wide(windowsPath.begin(), windowsPath.end());
    char* path = convert(wide.c_str());
    if (!path) return {};
    std::string out = path;
    HeapFree(GetProcessHeap(), 0, path);
    return out;
}

void writeFile(const std::string& path, const std::string& text) {
    std::ofstream(path, std::ios::binary) << text;
}

}  // namespace

struct WineDrives : testing::Test {
    const std::string base = "C:\\kavrona-test-drives";
    std::vector<char> defined;
    RealProgram program;

    void SetUp() override {
        if (!GetProcAddress(GetModuleHandleW(L"ntdll.dll"), "wine_get_version"))
            GTEST_SKIP() << "drives are made through Wine's mount manager";
    }
    void TearDown() override {
        for (char letter : defined) {
            defineDrive(letter, DRIVE_NO_ROOT_DIR, "");
            std::string folder = base + "\\" + letter;
            DeleteFileA((folder + "\\.windows-serial").c_str());
            DeleteFileA((folder + "\\.windows-label").c_str());
            RemoveDirectoryA(folder.c_str());
        }
        RemoveDirectoryA(base.c_str());
    }
    // A drive on a folder of its own, with the serial and label given (none when empty).
    void addDrive(char letter, ULONG type, const std::string& serial,
                  const std::string& label = {}) {
        ASSERT_FALSE(GetLogicalDrives() & (1u << (letter - 'A'))) << letter << ": is taken";
        std::string folder = base + "\\" + letter;
        CreateDirectoryA(base.c_str(), nullptr);
        ASSERT_TRUE(CreateDirectoryA(folder.c_str(), nullptr)) << folder;
        if (!serial.empty()) writeFile(folder + "\\.windows-serial", serial);
        if (!label.empty()) writeFile(folder + "\\.windows-label", label);
        std::string mountPoint = unixPath(folder);
        ASSERT_FALSE(mountPoint.empty());
        defined.push_back(letter);
        ASSERT_TRUE(defineDrive(letter, type, mountPoint)) << letter;
    }
    std::string drivesSection() {
        Form1& form1 = program.k.form1;
        form1.tb_Info.setText("");
        atStepAlone(form1, "5");
        form1.Info_o_HDD();
        EXPECT_EQ("6", form1.tb_Forms_show.text());
        return form1.tb_Info.text();
    }
    static bool reported(const std::string& section, char letter) {
        return section.find("Statistika pro Disk: " + std::string{letter, ':', '\\'}) !=
               std::string::npos;
    }
};

TEST_F(WineDrives, SameSerialRightAfterAnotherIsLeftOut) {
    addDrive('P', DRIVE_FIXED, "12AB00CD", "Systém");
    addDrive('Q', DRIVE_FIXED, "12AB00CD");
    addDrive('R', DRIVE_FIXED, "0000FFFF");
    std::string section = drivesSection();
    EXPECT_TRUE(reported(section, 'C'));
    EXPECT_NE(std::string::npos, section.find("Statistika pro Disk: P:\\\r\nTyp: Pevný disk.\r\n"
                                              "Jmenovka: Systém\r\nSeriové číslo: 12AB-00CD\r\n"));
    EXPECT_FALSE(reported(section, 'Q'));
    EXPECT_NE(std::string::npos,
              section.find("Disk: R:\\\r\nTyp: Pevný disk.\r\nJmenovka: (no label)\r\n"
                           "Seriové číslo: 0000-FFFF\r\n"));
}

TEST_F(WineDrives, NetworkDriveIsListedButNotReported) {
    addDrive('N', DRIVE_REMOTE, "0000ABCD");
    EXPECT_FALSE(reported(drivesSection(), 'N'));
    program.k.form1.cmd_Harddisk.click();
    std::vector<std::string> boxes = program.dialogs.texts();
    EXPECT_NE(boxes.end(),
              std::find(boxes.begin(), boxes.end(), " N:\\ - Připojený (síťový) disk."));
}

TEST_F(WineDrives, XAndYAreNeverProbed) {
    addDrive('X', DRIVE_FIXED, "0000AAAA");
    addDrive('Y', DRIVE_FIXED, "0000BBBB");
    std::string section = drivesSection();
    EXPECT_FALSE(reported(section, 'X'));
    EXPECT_FALSE(reported(section, 'Y'));
    EXPECT_EQ(reported(section, 'Z'), (GetLogicalDrives() & (1u << 25)) != 0);
}

TEST_F(WineDrives, SixteenAndMoreDrivesAreAllListed) {
    // Letters apart from the other tests' drives.
    for (char letter : std::string_view("DEFGHIJKLMOSTUVW")) addDrive(letter, DRIVE_FIXED, "");
    char roots[26 * 4 + 1];
    DWORD n = GetLogicalDriveStringsA(sizeof roots, roots);
    ASSERT_GT(n, 64u);
    std::vector<std::string> expected;
    for (const char* r = roots; *r; r += strlen(r) + 1) {
        std::string box = " ";
        box += {static_cast<char>(std::toupper(r[0])), ':', '\\'};
        box += GetDriveTypeA(r) == DRIVE_FIXED ? " - Pevný disk." : " - ?";
        expected.push_back(box);
    }
    program.k.form1.cmd_Harddisk.click();
    EXPECT_EQ(expected, program.dialogs.texts());
    ASSERT_FALSE(program.dialogs.shown.empty());
    EXPECT_EQ(" C:\\ - Pevný disk.", program.dialogs.shown.front().text);
}

TEST_F(WineDrives, ADriveIsReadWhileItIsThereAndNotOnceItIsGone) {
    addDrive('K', DRIVE_FIXED, "0000CAFE", "Data");
    EXPECT_TRUE(reported(drivesSection(), 'K'));
    ASSERT_TRUE(defineDrive('K', DRIVE_NO_ROOT_DIR, ""));
    EXPECT_FALSE(reported(drivesSection(), 'K'));
    std::string label(261, ' ');
    uint32_t serial = 7;
    EXPECT_FALSE(program.real.drives.getVolumeInformation("K:\\", label, serial));
    EXPECT_EQ(7u, serial);
    EXPECT_EQ(std::string(261, ' '), label);
}
