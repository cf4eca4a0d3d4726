// The main window's one-line message field (the scheduler's or the network's
// message, the count of rows loaded) as a value: the message file mirrors the
// value, never the control.
#pragma once

#include "runtime/text_view.h"

namespace vemo {

TextView& Message();

}  // namespace vemo
