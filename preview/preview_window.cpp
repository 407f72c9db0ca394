// The preview window: a child of the host's preview area that shows the
// preview picture at its top-left corner until the host takes it away.
#include "preview/preview.h"

#include "app/app.h"
#include "resources/pictures.h"

namespace {

// The window is the picture's exact size, whatever the host area's size:
// 152 x 112 at 96 dpi, and at the scale the host lays its area out at: a
// host that is not dpi aware has a 96-dpi area, which Windows enlarges with
// the preview in it.
struct PreviewState {
    Scale scale;
} g;

void InitPreviewWindow() {
    HWND window = FormSlot[PreviewSlot].window;
    g.scale = ScaleForDpi(WindowDpi(GetParent(window)));
    MoveWindow(window, 0, 0, g.scale(152), g.scale(112), FALSE);
    ShowWindow(window, SW_SHOWNA);  // the host keeps the focus
}

// The picture is loaded for every paint and released right after, so the
// preview holds nothing between paints however long the host keeps it.
void PaintPreview(HDC paintDC) {
    HBITMAP picture = LoadPicture(PreviewPictureId, g.scale);
    // Without it the empty memory DC would still blit its one stray pixel.
    if (!picture) return;
    HDC memoryDC = CreateCompatibleDC(paintDC);
    SelectObject(memoryDC, picture);
    BitBlt(paintDC, 0, 0, g.scale(152), g.scale(112), memoryDC, 0, 0, SRCCOPY);
    // The DC goes first so the picture is no longer selected when it is deleted.
    DeleteDC(memoryDC);
    DeleteObject(picture);
}

void OnPaint(HWND window) {
    PAINTSTRUCT paint = {};
    HDC paintDC = BeginPaint(window, &paint);
    PaintPreview(paintDC);
    EndPaint(window, &paint);
}

}  // namespace

LRESULT CALLBACK PreviewWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_INITDIALOG:
        FormSlot[PreviewSlot].window = window;
        InitPreviewWindow();
        return 0;
    case WM_PAINT:
        OnPaint(window);
        return 0;
    case WM_DESTROY:
        ExitProcess(0);  // the host took the preview away: nothing is left to do
    case WM_CLOSE:
        DestroyWindow(window);
        return 0;
    }
    return DefWindowProcW(window, message, wParam, lParam);
}
