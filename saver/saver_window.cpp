// The full-screen saver window.
#include "app/app.h"
#include "saver/saver.h"

namespace {

void InitSaverWindow() {
    ShowWindow(FormSlot[SaverSlot].window, SW_SHOWMAXIMIZED);
}

LRESULT SaverWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_INITDIALOG:
        FormSlot[SaverSlot].window = window;
        InitSaverWindow();
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

LRESULT CALLBACK SaverWindowEntry(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    return SaverWindowProc(window, message, wParam, lParam);
}
