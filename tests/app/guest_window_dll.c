/* A DLL that is not the system's. Hooked onto the program's thread, it makes a window
   there, as the system's components do, when a window of the thread is sent the
   registered message "KavronaGuestWindow". Copied beside the program under the name
   of a system DLL, it is what the program must never load. Put into the system
   folder, it answers from inside the program (guestErrorMode, guestLoadsByName). */

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

/* Loaded into the running program from the system folder, as the system's own DLLs
   are, and called there on a thread of its own, the two below tell the test how the
   program set up its process. */

/* The program's error mode, as the thread's exit code. */
__declspec(dllexport) DWORD WINAPI guestErrorMode(LPVOID unused) {
    (void)unused;
    return GetErrorMode();
}

/* DLLs loaded by bare name, as a system DLL's delay-load or driver loads them; which
   were found: 1 the one beside the program, 2 the one in its current folder. */
__declspec(dllexport) DWORD WINAPI guestLoadsByName(LPVOID unused) {
    static const wchar_t* const names[] = {L"kavrona-beside.dll", L"kavrona-here.dll"};
    DWORD found = 0;
    (void)unused;
    for (DWORD i = 0; i < 2; ++i) {
        HMODULE dll = LoadLibraryW(names[i]);
        if (dll) {
            found |= 1u << i;
            FreeLibrary(dll);
        }
    }
    return found;
}
