/* The CBT hook of driver::DestroyWatch. The system loads this library into
   every process of the desktop whose windows meet the hook, so it must stay
   small and self-contained: it only tells the watching test, for each owned
   window about to be destroyed, whether its owner was enabled then. */
#include <windows.h>

__declspec(dllexport) LRESULT CALLBACK DestroyWatchHook(int code, WPARAM wParam, LPARAM lParam) {
    if (code == HCBT_DESTROYWND) {
        HWND window = (HWND)wParam;
        HWND owner = GetWindow(window, GW_OWNER);
        HWND listener = FindWindowA("PokDestroyWatch", NULL);
        if (owner && listener) PostMessageA(listener, WM_APP, wParam, IsWindowEnabled(owner) ? 1 : 0);
    }
    return CallNextHookEx(NULL, code, wParam, lParam);
}
