// DLLs from the system folder alone. Windows looks for a DLL that is not one
// of its known DLLs in the program's own folder first, and a .scr is run
// from wherever it was unpacked (a Downloads folder, say), so the .scr
// imports only known DLLs and loads every other one by its full path.
#include "app/app.h"
#include "app/app_private.h"

#include <cwchar>

namespace {

// Set once at start-up, read by every load after it.
struct LibrarySearch {
    // Dependencies of a DLL loaded by path are looked for in its own folder
    // first, not the program's; where the system's search is already
    // narrowed to the system folder, the default search does the same.
    DWORD loadFlags = LOAD_WITH_ALTERED_SEARCH_PATH;
} g;

// Windows 8 and later (Windows 7 with its update); absent from the XP headers.
constexpr DWORD SearchSystem32 = 0x00000800;

}  // namespace

void NarrowLibrarySearch() {
    HMODULE kernel = GetModuleHandleW(L"kernel32.dll");
    NarrowLibrarySearch(LibraryFunction<SetDllDirectoryFunction>(kernel, "SetDllDirectoryW"),
                        LibraryFunction<SetDefaultDllDirectoriesFunction>(kernel, "SetDefaultDllDirectories"));
}

void NarrowLibrarySearch(SetDllDirectoryFunction setDllDirectory,
                         SetDefaultDllDirectoriesFunction setDefaultDllDirectories) {
    // Takes the current folder out of the search (XP SP1 and later).
    if (setDllDirectory) setDllDirectory(L"");
    if (setDefaultDllDirectories && setDefaultDllDirectories(SearchSystem32)) g.loadFlags = 0;
}

HMODULE LoadSystemLibrary(const wchar_t* fileName) {
    wchar_t path[MAX_PATH];
    const UINT folderLength = GetSystemDirectoryW(path, MAX_PATH);
    if (folderLength == 0 || folderLength + 1 + std::wcslen(fileName) >= MAX_PATH) return nullptr;
    path[folderLength] = L'\\';
    std::wcscpy(path + folderLength + 1, fileName);
    return LoadLibraryExW(path, nullptr, g.loadFlags);
}
