#include "runtime/seams.h"

namespace vemo {

TestSeams& Seams() {
    static TestSeams seams;
    return seams;
}

}  // namespace vemo
