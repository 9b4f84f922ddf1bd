#include "platform/dll_loader_win32.h"

DllLoader& loaderOfProcess() {
    static Win32DllLoader loader;
    return loader;
}
