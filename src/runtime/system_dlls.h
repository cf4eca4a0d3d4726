// Windows looks for a DLL that is not one of its known system DLLs first in
// the program's own folder: a portable program often sits in Downloads,
// where a planted "winmm.dll" would run inside it. Vemo imports no such DLL;
// it takes the few functions of WINMM, COMCTL32 and RICHED32 it uses from
// the system folder, and keeps the program's and the current folder out of
// every later search.
#pragma once

#include "runtime/win32.h"

namespace vemo {

// First thing at start: DLLs loaded later come from the system folder only.
void KeepPlantedDllsOut();
// `name` from the system folder, loaded once; null when it is not there.
HMODULE SystemDll(const char* name);

// The functions Vemo takes from those DLLs, each a no-op that fails when its
// DLL or function is missing.
void InitCommonControlsFromSystem();
HWND CreateToolbarFromSystem(HWND window, DWORD style, UINT id, int bitmaps, UINT_PTR bitmap,
                             const TBBUTTON* buttons, int count, int button_width,
                             int button_height, int bitmap_width, int bitmap_height);
// mciSendStringA with no reply: false when it could not be sent.
bool SendMciCommand(const char* command);

}  // namespace vemo
