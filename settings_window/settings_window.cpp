// The settings window: nineteen controls built by code, the sliders and the buttons.
#include "settings_window/settings_window.h"

#include <commctrl.h>

#include <algorithm>
#include <iterator>

#include "app/app.h"
#include "resources/pictures.h"
#include "settings/settings.h"
#include "settings_window/rules.h"
#include "settings_window/settings_window_private.h"

namespace {

static_assert(SliderStyle == (WS_CHILD | WS_VISIBLE | TBS_HORZ | TBS_BOTH | TBS_NOTICKS));
static_assert(PushButtonStyle == (WS_CHILD | WS_VISIBLE | BS_PUSHBUTTON));
static_assert(LabelStyle == (WS_CHILD | WS_VISIBLE | SS_LEFT));
static_assert(PictureStyle == (WS_CHILD | WS_VISIBLE | SS_BITMAP));
static_assert(SwatchStyle == (WS_CHILD | WS_VISIBLE | SS_ETCHEDFRAME));
static_assert(CentredTextStyle == (WS_CHILD | WS_VISIBLE | SS_CENTER));
static_assert(StaticEdge == WS_EX_STATICEDGE && ClientEdge == WS_EX_CLIENTEDGE);

const wchar_t SaveFailedText[] =
    L"設定を保存できませんでした。\n設定ファイル pok_v3.ini に書き込めません。";

// WM_DPICHANGED (Windows 8.1 and later), absent from the XP headers.
constexpr UINT DpiChanged = 0x02E0;

struct SettingsWindowState {
    HBITMAP previewPicture;  // handed to the picture control, ours to delete
    HWND focus;              // the control that gets the focus back when the window is active again
    Scale scale;             // of the monitor the window is on
} g;

HWND SettingsWindow() { return FormSlot[SettingsSlot].window; }

// Slot 2's font made anew for the window's scale (start-up's is for 96 dpi),
// and handed to every control before the one they hold is deleted.
void UseFontForScale(HWND window) {
    HFONT scaled = CreateSharedFont(g.scale);
    if (!scaled) return;
    HFONT old = FormSlot[SettingsSlot].font;
    FormSlot[SettingsSlot].font = scaled;
    for (const ControlRow& row : ControlRows)
        SendDlgItemMessageW(window, row.id, WM_SETFONT, reinterpret_cast<WPARAM>(scaled), 0);
    DeleteObject(old);
}

// The picture fills the control's inside, whose edge keeps its width at
// every scale, so it is made for that size rather than the picture's own.
void ShowPreviewPicture(HWND control, const PixelRect& place) {
    RECT inside = {};
    GetClientRect(control, &inside);
    HBITMAP picture = LoadPictureSized(PreviewPictureId, inside.right, inside.bottom);
    SendMessageW(control, STM_SETIMAGE, IMAGE_BITMAP, reinterpret_cast<LPARAM>(picture));
    DeleteObject(g.previewPicture);
    g.previewPicture = picture;
    // Some static controls size themselves to the bitmap without counting
    // their edge, leaving the picture two pixels too little room each way;
    // the row's rectangle holds both.
    MoveWindow(control, place.x, place.y, place.width, place.height, FALSE);
}

// The font, and the picture made for the control's size.
void DressControl(HWND control, const ControlRow& row, const PixelRect& place) {
    SendMessageW(control, WM_SETFONT, reinterpret_cast<WPARAM>(FormSlot[SettingsSlot].font), 0);
    if (row.id == PictureId) ShowPreviewPicture(control, place);
}

void CreateControls(HWND window) {
    const HINSTANCE instance = GetModuleHandleW(nullptr);
    for (const ControlRow& row : ControlRows) {
        const PixelRect place = g.scale(row.place());
        HWND control = CreateWindowExW(row.exStyle, row.className, row.text, row.style, place.x, place.y,
                                       place.width, place.height, window,
                                       reinterpret_cast<HMENU>(static_cast<INT_PTR>(row.id)),
                                       instance, nullptr);
        DressControl(control, row, place);
    }
}

// The window's size whose client area holds every control at any scale and
// with any caption.
SIZE OuterSize(HWND window) {
    const PixelRect client = g.scale(SettingsClientArea);
    RECT outer = {0, 0, client.width, client.height};
    AdjustWindowRectForDpi(outer, static_cast<DWORD>(GetWindowLongW(window, GWL_STYLE)),
                           static_cast<DWORD>(GetWindowLongW(window, GWL_EXSTYLE)), g.scale.dpi);
    return {outer.right - outer.left, outer.bottom - outer.top};
}

void SizeWindow(HWND window, int x, int y) {
    const SIZE size = OuterSize(window);
    MoveWindow(window, x, y, size.cx, size.cy, FALSE);
}

void CentreWindow(HWND window) {
    RECT rect = {};
    GetWindowRect(window, &rect);
    const int width = rect.right - rect.left;
    const int height = rect.bottom - rect.top;
    MoveWindow(window, CentredOrigin(GetSystemMetrics(SM_CXSCREEN), width),
               CentredOrigin(GetSystemMetrics(SM_CYSCREEN), height), width, height, FALSE);
}

// Moved to a monitor of another scale: everything takes the new one at once,
// and the window the place and size the system suggests (SetWindowPos redraws
// its frame at the new scale too). The suggestion scales the caption with the
// rest; where the caption keeps the system's scale, one for a smaller scale
// would cut the controls, and the window grows to hold them.
void OnDpiChanged(HWND window, int dpi, const RECT& suggested) {
    g.scale = ScaleForDpi(dpi);
    UseFontForScale(window);
    for (const ControlRow& row : ControlRows) {
        const PixelRect place = g.scale(row.place());
        HWND control = GetDlgItem(window, row.id);
        MoveWindow(control, place.x, place.y, place.width, place.height, TRUE);
        if (row.id == PictureId) ShowPreviewPicture(control, place);
    }
    const SIZE least = OuterSize(window);
    SetWindowPos(window, nullptr, suggested.left, suggested.top, std::max(suggested.right - suggested.left, least.cx),
                 std::max(suggested.bottom - suggested.top, least.cy), SWP_NOZORDER | SWP_NOACTIVATE);
    InvalidateRect(window, nullptr, TRUE);  // the swatch is painted with the window
}

// Runs once, when the controls exist; the fields are not written from the sliders here.
void InitSettingsWindow() {
    HWND window = SettingsWindow();
    LoadSettings();
    for (const SliderRow& row : SliderRows)
        SendDlgItemMessageW(window, row.id, TBM_SETRANGE, TRUE, MAKELPARAM(row.minimum, row.maximum));
    for (const SliderRow& row : SliderRows)
        SendDlgItemMessageW(window, row.id, TBM_SETPOS, TRUE,
                            static_cast<LPARAM>(ThumbPosition(row, SaverSettings.*row.field)));
    SizeWindow(window, 0, 0);
    CentreWindow(window);
}

void OnInitDialog(HWND window) {
    FormSlot[SettingsSlot].window = window;
    g.scale = ScaleForDpi(WindowDpi(window));
    // Made before the controls, which take it as they come.
    if (!g.scale.isDesignSize()) UseFontForScale(window);
    CreateControls(window);
    InitSettingsWindow();
    g.focus = GetDlgItem(window, FocusRing[0]);
    // Focus shown or hidden as the system's keyboard-cue setting and the last
    // input say, until a key moves the focus.
    SendMessageW(window, WM_CHANGEUISTATE, MAKEWPARAM(UIS_INITIALIZE, 0), 0);
}

// Active, the window hands the focus to the control that last had it (the
// first of the ring when it opens), so the keys work without a click and
// come back after the colour dialog or another program.
void OnActivate(HWND window, WORD state) {
    if (state != WA_INACTIVE) {
        SetFocus(g.focus);
        return;
    }
    HWND focus = GetFocus();
    if (focus && IsChild(window, focus)) g.focus = focus;
}

void OnPaint(HWND window) {
    PAINTSTRUCT paint = {};
    BeginPaint(window, &paint);
    PaintSwatch();
    EndPaint(window, &paint);
}

// A slider's setting takes its thumb's position whenever the slider reports
// a move, so OK saves what the window shows. A slider that never reports
// keeps the value read from the file, even one beyond its range.
void StoreSliderPosition(int id) {
    const SliderRow* row = FindSlider(id);
    if (!row) return;
    SaverSettings.*row->field =
        static_cast<std::uint32_t>(SendDlgItemMessageW(SettingsWindow(), id, TBM_GETPOS, 0, 0));
}

// Keys and the wheel report only here, the mouse here too. A slider tells of
// the release of its own keys alone (TB_ENDTRACK), so a Tab let go over it
// stores nothing.
void OnScroll(HWND control) { StoreSliderPosition(GetDlgCtrlID(control)); }

// A release of the mouse, moved or not.
void OnNotify(int id, const NMHDR* header) {
    if (header->code == static_cast<UINT>(NM_RELEASEDCAPTURE)) StoreSliderPosition(id);
}

void SaveAndClose() {
    HWND window = SettingsWindow();
    if (!SaveSettings()) {
        // Closing now would lose the user's choices without a word: say so
        // and stay open, so they can try again or cancel.
        wchar_t title[128] = {};
        GetWindowTextW(window, title, std::size(title));
        MessageBoxW(window, SaveFailedText, title, MB_OK | MB_ICONWARNING);
        return;
    }
    CloseModalWindow(window, 0);
}

void OnCommand(int id, int notificationCode) {
    switch (ActionOf(id, notificationCode)) {
    case ButtonAction::ChooseColour: OnColourButton(); return;
    case ButtonAction::Save: SaveAndClose(); return;
    case ButtonAction::Cancel: CloseModalWindow(SettingsWindow(), 0); return;
    case ButtonAction::None: return;
    }
}

LRESULT SettingsWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_INITDIALOG: OnInitDialog(window); return 0;
    case WM_PAINT:      OnPaint(window); return 0;
    case WM_ACTIVATE:   OnActivate(window, LOWORD(wParam)); return 0;
    case WM_HSCROLL:    OnScroll(reinterpret_cast<HWND>(lParam)); return 0;
    case DpiChanged:    OnDpiChanged(window, LOWORD(wParam), *reinterpret_cast<const RECT*>(lParam)); return 0;
    case WM_NOTIFY:     OnNotify(LOWORD(wParam), reinterpret_cast<const NMHDR*>(lParam)); return 0;
    case WM_COMMAND:    OnCommand(LOWORD(wParam), HIWORD(wParam)); return 0;
    case WM_CLOSE:      CloseModalWindow(window, 0); return 0;
    case WM_DESTROY:    DeleteObject(g.previewPicture); return 0;
    }
    return DefWindowProcW(window, message, wParam, lParam);
}

}  // namespace

bool SettingsWindowKey(const MSG& message) {
    HWND window = SettingsWindow();
    if (message.message != WM_KEYDOWN || !IsWindow(window)) return false;
    if (message.hwnd != window && !IsChild(window, message.hwnd)) return false;
    // Once the keyboard is used, the controls show where the focus is.
    SendMessageW(window, WM_CHANGEUISTATE, MAKEWPARAM(UIS_CLEAR, UISF_HIDEFOCUS), 0);
    HWND focus = GetFocus();
    const int focusedId = focus && IsChild(window, focus) ? GetDlgCtrlID(focus) : 0;
    const KeyMeaning meaning =
        MeaningOfKey(static_cast<int>(message.wParam), GetKeyState(VK_SHIFT) < 0, focusedId);
    switch (meaning.kind) {
    case KeyMeaning::Pass: return false;
    case KeyMeaning::Focus:
        SetFocus(GetDlgItem(window, meaning.id));
        return true;
    case KeyMeaning::Press:
        // As the button's own click reports it, so one rule decides what it does.
        SendMessageW(window, WM_COMMAND, MAKEWPARAM(meaning.id, BN_CLICKED),
                     reinterpret_cast<LPARAM>(GetDlgItem(window, meaning.id)));
        return true;
    }
    return false;
}

LRESULT CALLBACK SettingsWindowEntry(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    return SettingsWindowProc(window, message, wParam, lParam);
}
