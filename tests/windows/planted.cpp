// A DLL planted beside a copy of Halmira under the name of one Windows keeps in its system
// folder: if it is ever loaded, its start-up leaves a file named after it beside it.
#include <windows.h>

BOOL WINAPI DllMain(HINSTANCE self, DWORD reason, LPVOID)
{
    if (reason == DLL_PROCESS_ATTACH) {
        wchar_t path[MAX_PATH + 8];
        const DWORD length = GetModuleFileNameW(self, path, MAX_PATH);
        lstrcpyW(path + length, L".ran");
        HANDLE mark = CreateFileW(path, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
        if (mark != INVALID_HANDLE_VALUE)
            CloseHandle(mark);
    }
    return TRUE;
}
