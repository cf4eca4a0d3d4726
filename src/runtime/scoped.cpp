#include "runtime/scoped.h"

namespace vemo {

namespace {
int g_live_gdi_objects = 0;
}  // namespace

namespace detail {
void CountGdiObject(int change) {
    g_live_gdi_objects += change;
}
}  // namespace detail

int LiveGdiObjects() {
    return g_live_gdi_objects;
}

}  // namespace vemo
