#pragma once
// The shell with COM started on the thread at the first link rather than at the
// program's start: some handlers of a link are COM objects, which ShellExecute
// reaches only on a thread with COM.

#include <optional>

#include "platform/com_win32.h"
#include "platform/shell.h"

struct ComStartingShell : Win32Shell {
    std::optional<ComApartment> com;

    int32_t open(const std::string& ansiLink) override {
        if (!com) com.emplace();
        return Win32Shell::open(ansiLink);
    }
};
