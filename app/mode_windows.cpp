// Creation of the three mode windows, the modal loop and its closing.
#include "app/app.h"
#include "app/app_private.h"
#include "preview/preview.h"
#include "resources/resources.h"
#include "saver/saver.h"
#include "settings_window/settings_window.h"

const char ModeWordSaver[] = "Saver";
const char ModeWordOption[] = "Option";
const char ModeWordPreview[] = "Preview";

namespace {

struct ModeWindow {
    const char* modeWord;
    DWORD exStyle;
    const char* title;
    DWORD style;
    int width, height;
    WNDPROC procedure;
    FormSlotIndex slot;
};

// Every mode window is created at the default position (the origin, for
// pop-ups and children alike) and hidden; its own set-up places and shows it.
const ModeWindow SettingsWindowRow = {ModeWordOption, 0, "Pokセーバー Ver.3.01",
                                      WS_POPUP | WS_CAPTION | WS_SYSMENU, 170, 447,
                                      SettingsWindowEntry, SettingsSlot};
const ModeWindow SaverWindowRow = {ModeWordSaver, WS_EX_TOPMOST, "Saver", WS_POPUP | WS_MAXIMIZE,
                                   480, 360, SaverWindowEntry, SaverSlot};
const ModeWindow PreviewWindowRow = {ModeWordPreview, 0, "Preview", WS_CHILD, 480, 360,
                                     PreviewWindowProc, PreviewSlot};

bool TextEquals(const char* a, const char* b) {
    return CompareStringA(LOCALE_SYSTEM_DEFAULT, 0, a, -1, b, -1) == CSTR_EQUAL;
}

// Creates the window, installs the mode's own procedure and sends the set-up
// signal, so the mode builds its contents before anyone sees the window.
HWND CreateModeWindow(const ModeWindow& row, HWND parentOrOwner) {
    HWND window = CreateWindowExA(row.exStyle, "NORMALDLG", row.title, row.style, CW_USEDEFAULT,
                                  CW_USEDEFAULT, row.width, row.height, parentOrOwner, nullptr,
                                  GetModuleHandleA(nullptr), nullptr);
    FormSlot[row.slot].window = window;
    if (!window) return nullptr;
    SetWindowLongPtrA(window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(row.procedure));
    SendMessageA(window, WM_INITDIALOG, 0, 0);
    return window;
}

}  // namespace

WPARAM OpenModalWindow(HWND owner, const char* modeWord) {
    const ModeWindow* row = TextEquals(modeWord, ModeWordOption) ? &SettingsWindowRow
                          : TextEquals(modeWord, ModeWordSaver)  ? &SaverWindowRow
                                                                 : nullptr;
    if (!row) return 0;

    HWND window = CreateModeWindow(*row, owner);
    // A modal loop with no window in it could never be ended.
    if (!window) ExitProcess(0);
    if (row == &SettingsWindowRow) {
        HICON icon = LoadIconA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(ApplicationIconId));
        SendMessageA(window, WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(icon));
    }
    ShowWindow(window, SW_SHOW);
    EnableWindow(owner, FALSE);

    // Only translate and dispatch: the mode windows have no dialog keyboard.
    MSG message = {};
    while (GetMessageA(&message, nullptr, 0, 0) > 0) {
        TranslateMessage(&message);
        DispatchMessageA(&message);
    }
    return message.wParam;
}

HWND OpenPreviewWindow(HWND parent, const char* modeWord) {
    if (!TextEquals(modeWord, ModeWordPreview)) return nullptr;
    return CreateModeWindow(PreviewWindowRow, parent);
}

void CloseModalWindow(HWND window, WPARAM code) {
    // The owner comes back before the window goes, so activation can return to it.
    EnableWindow(GetWindow(window, GW_OWNER), TRUE);
    DestroyWindow(window);
    PostMessageA(nullptr, WM_QUIT, code, 0);
}
