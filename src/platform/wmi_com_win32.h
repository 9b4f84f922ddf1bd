#pragma once
// WMI with COM started on the thread at the first connection rather than at the
// program's start: a program that never asks WMI never loads COM.

#include <memory>
#include <optional>

#include "platform/com_win32.h"
#include "platform/wmi.h"

// COM stays on until this goes, so whatever a connection handed out must go first.
struct ComStartingWmi : Win32Wmi {
    std::optional<ComApartment> com;

    WmiResult<std::unique_ptr<WmiServices>> connect() override {
        if (!com) com.emplace();
        return Win32Wmi::connect();
    }
};
