#pragma once

#include <windows.h>

// DLLs come from Windows' system folder and nowhere else. A program run from a download, a USB
// stick or a shared folder would otherwise load a DLL of that name lying beside it. Only DLLs
// that Windows always loads from its own folder are imported; the rest are loaded here.

// Asks that every later load, by this program or by COM on its behalf, searches the system
// folder alone. First thing in the program.
void loadFromSystemOnly();

// A DLL of the system folder, by its full path: null where it is missing.
HMODULE systemLibrary(const wchar_t *name);

// Sleeps of a millisecond while a handler runs, rather than the system's default tick of
// 15.6 ms; winmm.dll is loaded from the system folder when first asked.
void fineTimers(bool on);

// Common controls 6, as the manifest asks for them, loaded once the search is the system's.
void initCommonControls();
