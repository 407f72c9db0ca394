// The preview window: a child of the host's preview area.
#include "preview/preview.h"

#include "app/app.h"

namespace {

void InitPreviewWindow() {
    HWND window = FormSlot[PreviewSlot].window;
    MoveWindow(window, 0, 0, 152, 112, FALSE);
    ShowWindow(window, SW_SHOWNA);  // the host keeps the focus
}

}  // namespace

LRESULT CALLBACK PreviewWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_INITDIALOG:
        FormSlot[PreviewSlot].window = window;
        InitPreviewWindow();
        return 0;
    case WM_DESTROY:
        ExitProcess(0);  // the host took the preview away: nothing is left to do
    case WM_CLOSE:
        DestroyWindow(window);
        return 0;
    }
    return DefWindowProcA(window, message, wParam, lParam);
}
