#include "app/message_line.h"

namespace vemo {

TextView& Message() {
    static TextView line;
    return line;
}

}  // namespace vemo
