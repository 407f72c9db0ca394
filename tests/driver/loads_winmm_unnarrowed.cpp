// Loads winmm.dll through the .scr's own code as it runs on a Windows whose
// kernel32 lacks SetDefaultDllDirectories (XP, Vista, an unpatched Windows
// 7): the search narrowed only as far as SetDllDirectoryW goes, so the
// program's own folder still comes first. Wine has the function under every
// version setting, so only this program takes that road in the tests.
// "bare" loads by name instead, as the .scr must never do. Prints the file of
// the module it got, in UTF-8; exits 1 if it got none.
#include <windows.h>

#include <cstdio>
#include <cstring>

#include "app/app.h"
#include "app/app_private.h"

int main(int argc, char** argv) {
    NarrowLibrarySearch(
        LibraryFunction<SetDllDirectoryFunction>(GetModuleHandleW(L"kernel32.dll"), "SetDllDirectoryW"), nullptr);
    const bool bare = argc > 1 && std::strcmp(argv[1], "bare") == 0;
    HMODULE winmm = bare ? LoadLibraryW(L"winmm.dll") : LoadSystemLibrary(L"winmm.dll");
    wchar_t path[MAX_PATH];
    char utf8[4 * MAX_PATH];
    if (!winmm || !GetModuleFileNameW(winmm, path, MAX_PATH) ||
        !WideCharToMultiByte(CP_UTF8, 0, path, -1, utf8, sizeof utf8, nullptr, nullptr))
        return 1;
    std::fputs(utf8, stdout);
    return 0;
}
