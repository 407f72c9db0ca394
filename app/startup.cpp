// Process entry: shared objects, window classes, the single-instance test,
// the hidden main window and the main message loop.
#include "app/app.h"
#include "app/app_private.h"

#include <commctrl.h>

FormSlotEntry FormSlot[4];
HBRUSH ButtonFaceBrush;
const wchar_t SharedFontFace[] = L"ＭＳ Ｐゴシック";
const wchar_t DialogClassName[] = L"NORMALDLG";

namespace {

constexpr wchar_t MainClassName[] = L"NORMAL0";
constexpr wchar_t MainWindowTitle[] = L"saver_sample";
constexpr wchar_t InstanceMutexName[] = L"pok_v3";

MSG mainLoopMessage;

// The stock icon and cursor macros are narrow pointers without UNICODE; the
// numbers they carry are the same for the wide functions.
LPCWSTR Stock(LPCSTR id) { return reinterpret_cast<LPCWSTR>(id); }

void RegisterWindowClass(const wchar_t* name, WNDPROC procedure) {
    WNDCLASSEXW windowClass = {};
    windowClass.cbSize = sizeof windowClass;
    windowClass.style = CS_VREDRAW | CS_HREDRAW | CS_DBLCLKS;
    windowClass.lpfnWndProc = procedure;
    windowClass.hInstance = GetModuleHandleW(nullptr);
    windowClass.hIcon = LoadIconW(nullptr, Stock(IDI_APPLICATION));
    windowClass.hCursor = LoadCursorW(nullptr, Stock(IDC_ARROW));
    windowClass.hbrBackground = ButtonFaceBrush;
    windowClass.lpszClassName = name;
    windowClass.hIconSm = LoadIconW(nullptr, Stock(IDI_WINLOGO));
    RegisterClassExW(&windowClass);
}

void ReleaseSharedObjects() {
    for (const FormSlotEntry& slot : FormSlot) DeleteObject(slot.font);
    DeleteObject(ButtonFaceBrush);
}

// The trackbar class of the settings window's sliders is registered here;
// without the library the settings window goes on without them.
void InitCommonControlClasses() {
    const auto init = LibraryFunction<decltype(&InitCommonControlsEx)>(
        LoadSystemLibrary(L"comctl32.dll"), "InitCommonControlsEx");
    INITCOMMONCONTROLSEX commonControls = {8, 0xFF};
    if (init) init(&commonControls);
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
    return DefWindowProcW(window, message, wParam, lParam);
}

}  // namespace

HFONT CreateSharedFont(const Scale& scale) {
    return CreateFontW(-scale(12), 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, SHIFTJIS_CHARSET,
                       OUT_STROKE_PRECIS, CLIP_STROKE_PRECIS, DRAFT_QUALITY,
                       FF_SWISS | DEFAULT_PITCH, SharedFontFace);
}

LRESULT CALLBACK DialogClassProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    return DefWindowProcW(window, message, wParam, lParam);
}

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
    // Before anything can load a DLL.
    NarrowLibrarySearch();
    // Before any window exists: after that the awareness cannot change.
    DeclareDpiAwareness();
    InitCommonControlClasses();

    // At the design size; the settings window makes its own for its scale.
    for (FormSlotEntry& slot : FormSlot) slot.font = CreateSharedFont(Scale{});
    ButtonFaceBrush = CreateSolidBrush(GetSysColor(COLOR_BTNFACE));
    RegisterWindowClass(DialogClassName, DialogClassProc);

    // The handle is never closed: the system closes it with the process, and
    // that is what lets the next start through.
    SetLastError(0);
    CreateMutexW(nullptr, FALSE, InstanceMutexName);
    if (GetLastError() == ERROR_ALREADY_EXISTS) ExitProcess(0);

    RegisterWindowClass(MainClassName, MainWindowProc);

    // The main window's WM_CREATE chooses and opens the mode window; settings
    // mode never comes back from here.
    HWND mainWindow = CreateWindowExW(0, MainClassName, MainWindowTitle, WS_POPUP, CW_USEDEFAULT,
                                      CW_USEDEFAULT, 480, 360, nullptr, nullptr,
                                      GetModuleHandleW(nullptr), nullptr);
    // Without it no mode is ever chosen and the loop would wait for nothing.
    if (!mainWindow) ExitProcess(0);

    while (GetMessageW(&mainLoopMessage, nullptr, 0, 0) > 0) {
        TranslateMessage(&mainLoopMessage);
        DispatchMessageW(&mainLoopMessage);
    }
    ExitProcess(0);
}
