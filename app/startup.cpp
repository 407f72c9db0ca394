// Process entry: shared objects, window classes, the single-instance test,
// the hidden main window and the main message loop.
#include "app/app.h"
#include "app/app_private.h"

#include <commctrl.h>
#include <mmsystem.h>

FormSlotEntry FormSlot[4];
HBRUSH ButtonFaceBrush;
const char SharedFontFace[] = "ＭＳ Ｐゴシック";

namespace {

constexpr char MainClassName[] = "NORMAL0";
constexpr char DialogClassName[] = "NORMALDLG";
constexpr char MainWindowTitle[] = "saver_sample";
constexpr char InstanceMutexName[] = "pok_v3";

MSG mainLoopMessage;

HFONT CreateSharedFont() {
    return CreateFontA(-12, 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, SHIFTJIS_CHARSET,
                       OUT_STROKE_PRECIS, CLIP_STROKE_PRECIS, DRAFT_QUALITY,
                       FF_SWISS | DEFAULT_PITCH, SharedFontFace);
}

void RegisterWindowClass(const char* name, WNDPROC procedure) {
    WNDCLASSEXA windowClass = {};
    windowClass.cbSize = sizeof windowClass;
    windowClass.style = CS_VREDRAW | CS_HREDRAW | CS_DBLCLKS;
    windowClass.lpfnWndProc = procedure;
    windowClass.hInstance = GetModuleHandleA(nullptr);
    windowClass.hIcon = LoadIconA(nullptr, IDI_APPLICATION);
    windowClass.hCursor = LoadCursorA(nullptr, IDC_ARROW);
    windowClass.hbrBackground = ButtonFaceBrush;
    windowClass.lpszClassName = name;
    windowClass.hIconSm = LoadIconA(nullptr, IDI_WINLOGO);
    RegisterClassExA(&windowClass);
}

void ReleaseSharedObjects() {
    for (const FormSlotEntry& slot : FormSlot) DeleteObject(slot.font);
    DeleteObject(ButtonFaceBrush);
}

LRESULT CALLBACK MainWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_CREATE:
        FormSlot[MainSlot].window = window;
        SelectMode();
        return 0;
    case WM_CLOSE:
        DestroyWindow(window);
        return 0;
    case WM_DESTROY:
        ReleaseSharedObjects();
        PostQuitMessage(0);
        return 0;
    }
    return DefWindowProcA(window, message, wParam, lParam);
}

}  // namespace

LRESULT CALLBACK DialogClassProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    return DefWindowProcA(window, message, wParam, lParam);
}

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
    INITCOMMONCONTROLSEX commonControls = {8, 0xFF};
    InitCommonControlsEx(&commonControls);

    for (FormSlotEntry& slot : FormSlot) slot.font = CreateSharedFont();
    ButtonFaceBrush = CreateSolidBrush(GetSysColor(COLOR_BTNFACE));
    RegisterWindowClass(DialogClassName, DialogClassProc);

    // The handle is never closed: the system closes it with the process, and
    // that is what lets the next start through.
    SetLastError(0);
    CreateMutexA(nullptr, FALSE, InstanceMutexName);
    if (GetLastError() == ERROR_ALREADY_EXISTS) ExitProcess(0);

    timeBeginPeriod(1);
    RegisterWindowClass(MainClassName, MainWindowProc);

    // The main window's WM_CREATE chooses and opens the mode window; settings
    // mode never comes back from here.
    HWND mainWindow = CreateWindowExA(0, MainClassName, MainWindowTitle, WS_POPUP, CW_USEDEFAULT,
                                      CW_USEDEFAULT, 480, 360, nullptr, nullptr,
                                      GetModuleHandleA(nullptr), nullptr);
    // Without it no mode is ever chosen and the loop would wait for nothing.
    if (!mainWindow) ExitProcess(0);

    while (GetMessageA(&mainLoopMessage, nullptr, 0, 0) > 0) {
        TranslateMessage(&mainLoopMessage);
        DispatchMessageA(&mainLoopMessage);
    }
    ExitProcess(0);
}
