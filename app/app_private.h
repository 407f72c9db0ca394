// Shared between the files of app/, and with the test program that loads DLLs through them.
#pragma once

#include <windows.h>

// Takes the current folder, and where the system can, the program's own
// folder, out of the DLL search; first thing at start.
void NarrowLibrarySearch();

// The same with kernel32's narrowing functions given, nullptr for one this
// Windows lacks: XP, Vista and Windows 7 without its update have only the first.
using SetDllDirectoryFunction = BOOL(WINAPI*)(LPCWSTR);
using SetDefaultDllDirectoriesFunction = BOOL(WINAPI*)(DWORD);
void NarrowLibrarySearch(SetDllDirectoryFunction setDllDirectory,
                         SetDefaultDllDirectoriesFunction setDefaultDllDirectories);

// Tells Windows the program scales itself, with the best call it has; before
// any window exists.
void DeclareDpiAwareness();

// Reads the command line and opens the one mode window this process is for.
void SelectMode();

// The procedure every mode window has until its own one is installed.
LRESULT CALLBACK DialogClassProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
