#pragma once
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

#include <cctype>
#include <fstream>
#include <string>
#include <vector>

namespace wine_drives {

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

inline bool underWine() {
    return GetProcAddress(GetModuleHandleW(L"ntdll.dll"), "wine_get_version") != nullptr;
}

inline bool defineDrive(char letter, ULONG type, const std::string& unixFolder) {
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

inline std::string unixPath(const std::string& windowsPath) {
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

// Drives on folders of their own under C:\kavrona-test-drives, gone with this object.
struct MadeDrives {
    const std::string base = "C:\\kavrona-test-drives";
    std::vector<char> defined;

    MadeDrives() = default;
    MadeDrives(const MadeDrives&) = delete;
    MadeDrives& operator=(const MadeDrives&) = delete;
    ~MadeDrives() {
        for (char letter : defined) {
            defineDrive(letter, DRIVE_NO_ROOT_DIR, "");
            std::string folder = base + "\\" + letter;
            DeleteFileA((folder + "\\.windows-serial").c_str());
            DeleteFileA((folder + "\\.windows-label").c_str());
            RemoveDirectoryA(folder.c_str());
        }
        RemoveDirectoryA(base.c_str());
    }
    // With the serial and the label (UTF-8) given; none when empty.
    void add(char letter, ULONG type, const std::string& serial, const std::string& label = {}) {
        ASSERT_FALSE(GetLogicalDrives() & (1u << (letter - 'A'))) << letter << ": is taken";
        std::string folder = base + "\\" + letter;
        CreateDirectoryA(base.c_str(), nullptr);
        ASSERT_TRUE(CreateDirectoryA(folder.c_str(), nullptr)) << folder;
        if (!serial.empty())
            std::ofstream(folder + "\\.windows-serial", std::ios::binary) << serial;
        if (!label.empty()) std::ofstream(folder + "\\.windows-label", std::ios::binary) << label;
        std::string mountPoint = unixPath(folder);
        ASSERT_FALSE(mountPoint.empty());
        defined.push_back(letter);
        ASSERT_TRUE(defineDrive(letter, type, mountPoint)) << letter;
    }
};

}  // namespace wine_drives
