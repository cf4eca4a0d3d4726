// A DLL planted beside vemo.exe under the name of a system DLL (winmm.dll,
// comctl32.dll, riched32.dll): when anything loads it, it leaves a file in
// the current folder saying so.
#include <windows.h>

extern "C" BOOL WINAPI DllMain(HINSTANCE, DWORD reason, LPVOID) {
    if (reason == DLL_PROCESS_ATTACH) {
        const HANDLE file = CreateFileA("planted-dll-ran.txt", GENERIC_WRITE, 0, nullptr,
                                        CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
        if (file != INVALID_HANDLE_VALUE) CloseHandle(file);
    }
    return TRUE;
}
