// Loads winmm.dll through the .scr's own code as it runs on a Windows whose
// kernel32 lacks SetDefaultDllDirectories (XP, Vista, an unpatched Windows
// 7): the search narrowed only as far as SetDllDirectoryW goes, so the
// program's own folder still comes first, for winmm and for what it imports
// (Wine's winmm imports msacm32, not a known DLL either). Wine has the
// function under every version setting, so only this program takes that
// road in the tests. "bare" loads by name instead, as the .scr must never do.
// Prints the file of winmm.dll and of msacm32.dll as this process holds them,
// a line each, empty for one it does not hold; exits 1 if winmm did not load.
#include <windows.h>

#include <string>

#include "app/app.h"
#include "app/app_private.h"

int main(int argc, char** argv) {
    NarrowLibrarySearch(
        LibraryFunction<SetDllDirectoryFunction>(GetModuleHandleW(L"kernel32.dll"), "SetDllDirectoryW"), nullptr);
    const bool bare = argc > 1 && std::string(argv[1]) == "bare";
    HMODULE winmm = bare ? LoadLibraryW(L"winmm.dll") : LoadSystemLibrary(L"winmm.dll");

    std::string lines;
    for (const wchar_t* name : {L"winmm.dll", L"msacm32.dll"}) {
        wchar_t path[MAX_PATH] = L"";
        if (HMODULE module = GetModuleHandleW(name)) GetModuleFileNameW(module, path, MAX_PATH);
        char utf8[4 * MAX_PATH] = "";
        WideCharToMultiByte(CP_UTF8, 0, path, -1, utf8, sizeof utf8, nullptr, nullptr);
        lines += std::string(utf8) + "\n";
    }
    // Straight to the handle: the C runtime's text mode would add carriage returns.
    DWORD written = 0;
    WriteFile(GetStdHandle(STD_OUTPUT_HANDLE), lines.data(), static_cast<DWORD>(lines.size()), &written, nullptr);
    return winmm ? 0 : 1;
}
