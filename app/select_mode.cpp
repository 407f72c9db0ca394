// The last letter of the command line picks the one mode window to open.
#include <cstdint>

#include "app/app.h"
#include "app/app_private.h"
#include "app/command_line.h"

namespace {

bool IsAlphaUnit(wchar_t unit) { return IsCharAlphaW(unit) != FALSE; }

bool TextEquals(const wchar_t* a, const wchar_t* b) {
    return CompareStringW(LOCALE_SYSTEM_DEFAULT, 0, a, -1, b, -1) == CSTR_EQUAL;
}

Mode ModeOfLetter(wchar_t letter) {
    wchar_t lowered[2] = {letter, 0};
    CharLowerW(lowered);
    for (const ModeLetterRow& row : ModeLetters)
        if (TextEquals(lowered, row.letter)) return row.mode;
    return Mode::None;
}

// Window handles carry 32 significant bits; a 64-bit process sign-extends them.
HWND WindowFromHandleValue(std::uint32_t value) {
    return reinterpret_cast<HWND>(static_cast<INT_PTR>(static_cast<std::int32_t>(value)));
}

}  // namespace

void SelectMode() {
    const wchar_t* commandLine = GetCommandLineW();
    const ModeLetterFind find = FindModeLetter(commandLine, IsAlphaUnit);
    const Mode mode = find.found ? ModeOfLetter(find.letter) : Mode::None;
    HWND mainWindow = FormSlot[MainSlot].window;

    switch (mode) {
    case Mode::Saver:
        // The saver's loop ends only if it was closed before its first paint;
        // staying alive then would hold the instance mutex with nothing shown.
        OpenModalWindow(mainWindow, ModeWordSaver);
        ExitProcess(0);
    case Mode::Settings:
        OpenModalWindow(mainWindow, ModeWordOption);
        ExitProcess(0);
    case Mode::Preview: {
        const std::uint32_t parent = ParsePreviewHandle(PreviewHandleText(commandLine, find.position));
        // A handle that names no window leaves nothing to serve.
        if (!OpenPreviewWindow(WindowFromHandleValue(parent), ModeWordPreview)) ExitProcess(0);
        return;
    }
    case Mode::None:
        ExitProcess(0);
    }
}
