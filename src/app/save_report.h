// Whether a failed save tells the user at once. Quiet: a retry the user was
// already told about, or a request from another process, which must not wait
// on a message box.
#pragma once

namespace vemo {

enum class SaveReport { Show, Quiet };

}  // namespace vemo
