#pragma once
// The loader's own calls behind DllLoader (platform/system_dll.h), and the loader that
// the process's DLL search and first uses go through.

#include <string>

#include "platform/system_dll.h"

class Win32DllLoader : public DllLoader {
  public:
    bool knowsSearchFlags() override;
    Loaded loadFromSystemFolder(const std::wstring& dll) override;
    std::wstring systemFolder() override;
    Loaded loadByPath(const std::wstring& path) override;
    bool searchSystemFolderOnlyFromNowOn() override;
    bool leaveOutCurrentFolderFromNowOn() override;
};

// Windows' own in the program (dll_loader_of_process_win32.cpp). The program's test
// build links one that can answer as an older loader instead, which no environment may
// make the shipped program do (tests/support/test_build_loader_win32.cpp).
DllLoader& loaderOfProcess();
