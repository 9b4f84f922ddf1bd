/* A DLL that is not the system's. Hooked onto the program's thread, it makes a window
   there, as the system's components do, when a window of the thread is sent the
   registered message "KavronaGuestWindow". Copied beside the program under the name
   of a system DLL, it is what the program must never load. */

#include <windows.h>

static HINSTANCE self;

BOOL WINAPI DllMain(HINSTANCE instance, DWORD reason, LPVOID reserved) {
    (void)reserved;
    if (reason == DLL_PROCESS_ATTACH) self = instance;
    return TRUE;
}

__declspec(dllexport) LRESULT CALLBACK guestHook(int code, WPARAM wParam, LPARAM lParam) {
    const CWPSTRUCT* message = (const CWPSTRUCT*)lParam;
    if (code == HC_ACTION && message->message == RegisterWindowMessageW(L"KavronaGuestWindow"))
        CreateWindowExW(WS_EX_TOOLWINDOW, L"STATIC", L"Kavrona guest", WS_POPUP, 0, 0, 10, 10, NULL,
                        NULL, self, NULL);
    return CallNextHookEx(NULL, code, wParam, lParam);
}
