// The one way the Win32 layer includes the platform headers. Some of the
// platform's names are macros that collide with the program's own operation
// names; they are removed here so every file sees the same names.
#pragma once

#ifndef WIN32_LEAN_AND_MEAN
#define WIN32_LEAN_AND_MEAN
#endif
#ifndef NOMINMAX
#define NOMINMAX
#endif
#include <windows.h>

// These need <windows.h> first.
#include <commctrl.h>
#include <commdlg.h>
#include <mmsystem.h>
#include <shellapi.h>

#undef FindText
#undef OpenFile
