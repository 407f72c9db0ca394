// The background colour: the system colour dialog and the swatch beside its button.
#include <windows.h>
#include <commdlg.h>  // only the function's type: comdlg32 is loaded from the system folder

#include "app/app.h"
#include "settings/settings.h"
#include "settings_window/rules.h"
#include "settings_window/settings_window_private.h"

namespace {

// Looked up when the colour button is first pressed, and only then.
struct ColourDialogLibrary {
    bool lookedUp = false;
    decltype(&ChooseColorW) choose = nullptr;
} colourDialog;

decltype(&ChooseColorW) ChooseColourFunction() {
    if (!colourDialog.lookedUp) {
        colourDialog.lookedUp = true;
        colourDialog.choose = LibraryFunction<decltype(&ChooseColorW)>(
            LoadSystemLibrary(L"comdlg32.dll"), "ChooseColorW");
    }
    return colourDialog.choose;
}

}  // namespace

BOOL PickColour(HWND owner, std::int32_t& colour) {
    // Built afresh on every call: what the user did to them last time is not kept.
    COLORREF customColours[CustomColourCount];
    for (int i = 0; i < CustomColourCount; ++i) customColours[i] = CustomGrey(i);

    CHOOSECOLORW record = {};
    record.lStructSize = sizeof record;
    record.hwndOwner = owner;
    record.rgbResult = static_cast<COLORREF>(colour);
    record.lpCustColors = customColours;
    record.Flags = CC_RGBINIT | CC_FULLOPEN;
    record.lpTemplateName = L"";
    // Only a choice made with OK counts: the wide dialog leaves whatever was
    // last edited in rgbResult when it is cancelled.
    // Without the dialog the colour stays, as after a Cancel.
    const auto choose = ChooseColourFunction();
    const BOOL chosen = choose ? choose(&record) : FALSE;
    if (chosen) colour = static_cast<std::int32_t>(record.rgbResult);
    return chosen;
}

void PaintSwatch() {
    HWND swatch = GetDlgItem(FormSlot[SettingsSlot].window, SwatchId);
    if (!swatch) return;

    // Composed off-screen and copied in one go, over the frame lines too: the
    // control redraws only its frame, so the colour stays inside it.
    // The control's own size: 90 x 33 at 96 dpi, scaled with the window.
    RECT area = {};
    GetClientRect(swatch, &area);
    HBRUSH brush = CreateSolidBrush(static_cast<COLORREF>(SaverSettings.BgColor));
    HDC swatchDc = GetDC(swatch);
    HDC memory = CreateCompatibleDC(swatchDc);
    HBITMAP bitmap = CreateCompatibleBitmap(swatchDc, area.right, area.bottom);
    HGDIOBJ previous = SelectObject(memory, bitmap);
    FillRect(memory, &area, brush);
    BitBlt(swatchDc, 0, 0, area.right, area.bottom, memory, 0, 0, SRCCOPY);

    SelectObject(memory, previous);
    DeleteObject(brush);
    DeleteDC(memory);
    DeleteObject(bitmap);
    ReleaseDC(swatch, swatchDc);
}

void OnColourButton() {
    // No owner: the settings window stays usable while the dialog is open.
    PickColour(nullptr, SaverSettings.BgColor);
    PaintSwatch();
}
