// The program's own icon in Kavrona.exe: first among its icons, which Explorer and the
// task bar take, at every size Windows shows. (Wine gives no other process a window's
// class icon, so the windows' icons are seen on screenshots only.)

#include <windows.h>

#include <gtest/gtest.h>

#include <optional>
#include <set>

#include "platform/utf16_win32.h"

namespace {

#pragma pack(push, 2)
struct IconGroupEntry {  // GRPICONDIRENTRY: one image of an icon group resource
    BYTE width, height, colours, reserved;
    WORD planes, bitsPerPixel;
    DWORD bytes;
    WORD id;
};
#pragma pack(pop)

struct ProgramFile {
    HMODULE module = LoadLibraryExW(widen(KAVRONA_EXE).c_str(), nullptr,
                                    LOAD_LIBRARY_AS_DATAFILE | LOAD_LIBRARY_AS_IMAGE_RESOURCE);
    ~ProgramFile() {
        if (module) FreeLibrary(module);
    }
};

BOOL CALLBACK firstIntegerName(HMODULE, LPCWSTR, LPWSTR name, LONG_PTR found) {
    if (IS_INTRESOURCE(name)) *reinterpret_cast<std::optional<WORD>*>(found) = LOWORD(name);
    return FALSE;
}

TEST(ProgramIcon, FirstIconOfTheExeHasEverySize) {
    ProgramFile exe;
    ASSERT_TRUE(exe.module) << "cannot read " << KAVRONA_EXE;
    std::optional<WORD> first;
    EnumResourceNamesW(exe.module, RT_GROUP_ICON, firstIntegerName,
                       reinterpret_cast<LONG_PTR>(&first));
    ASSERT_EQ(std::optional<WORD>(1), first);

    HRSRC found = FindResourceW(exe.module, MAKEINTRESOURCEW(1), RT_GROUP_ICON);
    ASSERT_TRUE(found);
    auto* group = static_cast<const WORD*>(LockResource(LoadResource(exe.module, found)));
    ASSERT_TRUE(group);
    auto* entries = reinterpret_cast<const IconGroupEntry*>(group + 3);
    std::set<int> sizes;
    for (WORD i = 0; i < group[2]; ++i) sizes.insert(entries[i].width ? entries[i].width : 256);
    EXPECT_EQ((std::set<int>{16, 20, 24, 32, 48, 256}), sizes);
}

}  // namespace
