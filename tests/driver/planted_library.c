/* A stand-in for a DLL that someone left in the folder the saver was copied
   to, under the name of a DLL the saver uses or one those import (built as
   winmm.dll, comctl32.dll and msacm32.dll, which Wine's winmm imports). It
   does nothing but leave NAME.dll.loaded beside itself the moment it is
   loaded, and offers the functions the saver once imported by name, so that
   a program importing them from it starts as usual. */
#include <windows.h>

BOOL WINAPI DllMain(HINSTANCE instance, DWORD reason, LPVOID reserved) {
    (void)reserved;
    if (reason == DLL_PROCESS_ATTACH) {
        WCHAR path[MAX_PATH + 8];
        DWORD length = GetModuleFileNameW(instance, path, MAX_PATH);
        if (length > 0 && length < MAX_PATH) {
            lstrcpyW(path + length, L".loaded");
            CloseHandle(CreateFileW(path, GENERIC_WRITE, 0, NULL, CREATE_ALWAYS, 0, NULL));
        }
    }
    return TRUE;
}

__declspec(dllexport) UINT WINAPI timeBeginPeriod(UINT period) { (void)period; return 0; }
__declspec(dllexport) UINT WINAPI timeEndPeriod(UINT period) { (void)period; return 0; }
__declspec(dllexport) BOOL WINAPI InitCommonControlsEx(const void* classes) { (void)classes; return TRUE; }
