// The settings window: nineteen controls built by code, the sliders and the buttons.
#include "settings_window/settings_window.h"

#include <commctrl.h>

#include <iterator>

#include "app/app.h"
#include "resources/resources.h"
#include "settings/settings.h"
#include "settings_window/rules.h"
#include "settings_window/settings_window_private.h"

namespace {

constexpr DWORD Slider = WS_CHILD | WS_VISIBLE | TBS_HORZ | TBS_BOTH | TBS_NOTICKS;
constexpr DWORD PushButton = WS_CHILD | WS_VISIBLE | BS_PUSHBUTTON;
constexpr DWORD Label = WS_CHILD | WS_VISIBLE | SS_LEFT;
constexpr DWORD Picture = WS_CHILD | WS_VISIBLE | SS_BITMAP;
constexpr DWORD Swatch = WS_CHILD | WS_VISIBLE | SS_ETCHEDFRAME;
constexpr DWORD CentredText = WS_CHILD | WS_VISIBLE | SS_CENTER;

const wchar_t SaveFailedText[] =
    L"設定を保存できませんでした。\n設定ファイル pok_v3.ini に書き込めません。";

struct SettingsWindowState {
    HBITMAP previewPicture;  // handed to the picture control, ours to delete
    HWND focus;              // the control that gets the focus back when the window is active again
} g;

HWND SettingsWindow() { return FormSlot[SettingsSlot].window; }

void ShowPreviewPicture(HWND window, HWND control, const ControlRow& row) {
    const auto instance = reinterpret_cast<HINSTANCE>(GetWindowLongPtrW(window, GWLP_HINSTANCE));
    g.previewPicture = static_cast<HBITMAP>(
        LoadImageW(instance, MAKEINTRESOURCEW(PreviewPictureId), IMAGE_BITMAP, 0, 0, LR_DEFAULTSIZE));
    SendMessageW(control, STM_SETIMAGE, IMAGE_BITMAP, reinterpret_cast<LPARAM>(g.previewPicture));
    // Some static controls size themselves to the bitmap without counting
    // their edge, leaving the picture two pixels too little room each way;
    // the row's rectangle holds both.
    MoveWindow(control, row.x, row.y, row.width, row.height, FALSE);
}

void CreateControls(HWND window) {
    const HINSTANCE instance = GetModuleHandleW(nullptr);
    const auto font = reinterpret_cast<WPARAM>(FormSlot[SettingsSlot].font);
    for (const ControlRow& row : ControlRows) {
        HWND control = CreateWindowExW(row.exStyle, row.className, row.text, row.style, row.x, row.y,
                                       row.width, row.height, window,
                                       reinterpret_cast<HMENU>(static_cast<INT_PTR>(row.id)),
                                       instance, nullptr);
        SendMessageW(control, WM_SETFONT, font, 0);
        if (row.id == PictureId) ShowPreviewPicture(window, control, row);
    }
}

void CentreWindow(HWND window) {
    RECT rect = {};
    GetWindowRect(window, &rect);
    const int width = rect.right - rect.left;
    const int height = rect.bottom - rect.top;
    MoveWindow(window, CentredOrigin(GetSystemMetrics(SM_CXSCREEN), width),
               CentredOrigin(GetSystemMetrics(SM_CYSCREEN), height), width, height, FALSE);
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
    CentreWindow(window);
}

void OnInitDialog(HWND window) {
    FormSlot[SettingsSlot].window = window;
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
    case WM_NOTIFY:     OnNotify(LOWORD(wParam), reinterpret_cast<const NMHDR*>(lParam)); return 0;
    case WM_COMMAND:    OnCommand(LOWORD(wParam), HIWORD(wParam)); return 0;
    case WM_CLOSE:      CloseModalWindow(window, 0); return 0;
    case WM_DESTROY:    DeleteObject(g.previewPicture); return 0;
    }
    return DefWindowProcW(window, message, wParam, lParam);
}

}  // namespace

const ControlRow ControlRows[19] = {
    {StepSliderId, TRACKBAR_CLASSW, L"", Slider, 0, 40, 224, 125, 25},
    {HopSliderId, TRACKBAR_CLASSW, L"", Slider, 0, 40, 254, 125, 25},
    {OkButtonId, L"BUTTON", L"OK", PushButton, 0, 5, 338, 70, 30},
    {CancelButtonId, L"BUTTON", L"CANCEL", PushButton, 0, 89, 338, 70, 30},
    {StepLabelId, L"STATIC", L"すすむ", Label, 0, 5, 230, 39, 18},
    {HopLabelId, L"STATIC", L"はねる", Label, 0, 5, 259, 43, 22},
    {FewDogsLabelId, L"STATIC", L"ちょっぴり", Label, 0, 47, 175, 55, 17},
    {SpeedLabelId, L"STATIC", L"うごき", Label, 0, 5, 309, 40, 19},
    {SpeedSliderId, TRACKBAR_CLASSW, L"", Slider, 0, 40, 303, 125, 25},
    {ManyDogsLabelId, L"STATIC", L"いっぱい", Label, 0, 114, 175, 49, 16},
    {SlowLabelId, L"STATIC", L"ゆっくり", Label, 0, 47, 286, 43, 15},
    {FastLabelId, L"STATIC", L"はやい", Label, 0, 121, 286, 40, 14},
    {ColourButtonId, L"BUTTON", L"背景色", PushButton, 0, 5, 129, 57, 33},
    {PictureId, L"STATIC", L"", Picture, WS_EX_STATICEDGE, 5, 6, 154, 114},
    {SwatchId, L"STATIC", L"", Swatch, 0, 69, 129, SwatchWidth, SwatchHeight},
    {AuthorCreditId, L"STATIC", L"作・絵 こむぎ小路 2004", CentredText, WS_EX_CLIENTEDGE, 5, 379, 154, 31},
    {DogSliderId, TRACKBAR_CLASSW, L"", Slider, 0, 39, 195, 125, 25},
    {DogLabelId, L"STATIC", L"いぬ", Label, 0, 5, 201, 39, 18},
    {ProducerCreditId, L"STATIC", L"制作 しっぽ振り工房", CentredText, 0, 9, 395, 147, 16},
};
static_assert(std::size(ControlRows) == 19);

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
