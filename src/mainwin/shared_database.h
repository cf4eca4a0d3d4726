// The main window's side of a database other PCs write too: each tick asks
// whether the file changed, off the window's thread, and the answer shows
// another PC's changes (a reload or a merge) and may write a merge.
#pragma once

#include "runtime/win32.h"

namespace vemo {

// The answer to the tick's question, posted to the main window.
inline constexpr UINT kDatabaseNotice = WM_APP + 0x103;
void AskAboutSharedDatabase();
void OnDatabaseNotice();

}  // namespace vemo
