// The toolbar's "Data base": save, ask for another database file, record it
// in the settings and restart the main window on it.
#pragma once

namespace vemo {

// The whole switch when `notify` is 0 (BN_CLICKED); any other notification
// only restarts the program timer with 4000 ms.
void ChangeDatabase(int notify);

}  // namespace vemo
