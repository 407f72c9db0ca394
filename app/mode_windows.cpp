// Creation of the three mode windows, the modal loop and its closing.
#include "app/app.h"
#include "app/app_private.h"
#include "preview/preview.h"
#include "resources/resources.h"
#include "resources/version.h"
#include "saver/saver.h"
#include "settings_window/settings_window.h"

const wchar_t ModeWordSaver[] = L"Saver";
const wchar_t ModeWordOption[] = L"Option";
const wchar_t ModeWordPreview[] = L"Preview";

namespace {

struct ModeWindow {
    const wchar_t* modeWord;
    DWORD exStyle;
    const wchar_t* title;
    DWORD style;
    int width, height;
    WNDPROC procedure;
    FormSlotIndex slot;
    bool (*takeKey)(const MSG&);  // the mode's own keys, ahead of translation; none for the saver
};

// Every mode window is created at the default position (the origin, for
// pop-ups and children alike) and hidden; its own set-up places and shows it.
const ModeWindow SettingsWindowRow = {ModeWordOption, 0, L"Pokセーバー Ver." POK_VERSION_TEXT,
                                      WS_POPUP | WS_CAPTION | WS_SYSMENU, 170, 447,
                                      SettingsWindowEntry, SettingsSlot, SettingsWindowKey};
const ModeWindow SaverWindowRow = {ModeWordSaver, WS_EX_TOPMOST, L"Saver", WS_POPUP | WS_MAXIMIZE,
                                   480, 360, SaverWindowEntry, SaverSlot, nullptr};
const ModeWindow PreviewWindowRow = {ModeWordPreview, 0, L"Preview", WS_CHILD, 480, 360,
                                     PreviewWindowProc, PreviewSlot, nullptr};

bool TextEquals(const wchar_t* a, const wchar_t* b) {
    return CompareStringW(LOCALE_SYSTEM_DEFAULT, 0, a, -1, b, -1) == CSTR_EQUAL;
}

// Creates the window, installs the mode's own procedure and sends the set-up
// signal, so the mode builds its contents before anyone sees the window.
HWND CreateModeWindow(const ModeWindow& row, HWND parentOrOwner) {
    HWND window = CreateWindowExW(row.exStyle, DialogClassName, row.title, row.style, CW_USEDEFAULT,
                                  CW_USEDEFAULT, row.width, row.height, parentOrOwner, nullptr,
                                  GetModuleHandleW(nullptr), nullptr);
    FormSlot[row.slot].window = window;
    if (!window) return nullptr;
    SetWindowLongPtrW(window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(row.procedure));
    SendMessageW(window, WM_INITDIALOG, 0, 0);
    return window;
}

}  // namespace

WPARAM OpenModalWindow(HWND owner, const wchar_t* modeWord) {
    const ModeWindow* row = TextEquals(modeWord, ModeWordOption) ? &SettingsWindowRow
                          : TextEquals(modeWord, ModeWordSaver)  ? &SaverWindowRow
                                                                 : nullptr;
    if (!row) return 0;

    HWND window = CreateModeWindow(*row, owner);
    // A modal loop with no window in it could never be ended.
    if (!window) ExitProcess(0);
    if (row == &SettingsWindowRow) {
        HICON icon = LoadIconW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(ApplicationIconId));
        SendMessageW(window, WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(icon));
    }
    ShowWindow(window, SW_SHOW);
    EnableWindow(owner, FALSE);

    // The one place keys are routed: the settings window's own keys first,
    // everything else translated and dispatched. The saver takes no keys here,
    // so any key still reaches it.
    MSG message = {};
    while (GetMessageW(&message, nullptr, 0, 0) > 0) {
        if (row->takeKey && row->takeKey(message)) continue;
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
    return message.wParam;
}

HWND OpenPreviewWindow(HWND parent, const wchar_t* modeWord) {
    if (!TextEquals(modeWord, ModeWordPreview)) return nullptr;
    return CreateModeWindow(PreviewWindowRow, parent);
}

void CloseModalWindow(HWND window, WPARAM code) {
    // The owner comes back before the window goes, so activation can return to it.
    EnableWindow(GetWindow(window, GW_OWNER), TRUE);
    DestroyWindow(window);
    PostMessageW(nullptr, WM_QUIT, code, 0);
}
