/* The driver's hooks (pok_watch.dll). The system loads this library into the
   processes whose windows meet a hook, so it must stay small and
   self-contained. */
#include <windows.h>

/* driver::DestroyWatch: tells the watching test, for each owned window about
   to be destroyed, whether its owner was enabled then. */
__declspec(dllexport) LRESULT CALLBACK DestroyWatchHook(int code, WPARAM wParam, LPARAM lParam) {
    if (code == HCBT_DESTROYWND) {
        HWND owner = GetWindow((HWND)wParam, GW_OWNER);
        HWND listener = FindWindowA("PokDestroyWatch", NULL);
        if (owner && listener) PostMessageA(listener, WM_APP, wParam, IsWindowEnabled(owner) ? 1 : 0);
    }
    return CallNextHookEx(NULL, code, wParam, lParam);
}

/* driver::DeliverDpiChanged: the test posts "PokDpiChanged" (wParam the dpi,
   lParam a DpiChange it wrote into this process); here, on the window's own
   thread, it becomes WM_DPICHANGED as Windows sends it, and goes no further. */
typedef struct {
    RECT suggested;
    LONG handled;
} DpiChange;

__declspec(dllexport) LRESULT CALLBACK DpiChangeHook(int code, WPARAM wParam, LPARAM lParam) {
    MSG* message = (MSG*)lParam;
    const UINT marker = RegisterWindowMessageA("PokDpiChanged");
    if (code == HC_ACTION && wParam == PM_REMOVE && message->message == marker) {
        DpiChange* change = (DpiChange*)message->lParam;
        const WORD dpi = LOWORD(message->wParam);
        SendMessageW(message->hwnd, 0x02E0 /* WM_DPICHANGED */, MAKEWPARAM(dpi, dpi), (LPARAM)&change->suggested);
        change->handled = 1;
        message->message = WM_NULL;
    }
    return CallNextHookEx(NULL, code, wParam, lParam);
}
