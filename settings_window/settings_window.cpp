// The settings window.
#include "settings_window/settings_window.h"

#include "app/app.h"

namespace {

LRESULT SettingsWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_INITDIALOG:
        FormSlot[SettingsSlot].window = window;
        return 0;
    case WM_CLOSE:
        CloseModalWindow(window, 0);
        return 0;
    case WM_DESTROY:
        return 0;
    }
    return DefWindowProcA(window, message, wParam, lParam);
}

}  // namespace

LRESULT CALLBACK SettingsWindowEntry(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    return SettingsWindowProc(window, message, wParam, lParam);
}
