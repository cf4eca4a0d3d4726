// The same, spelled otherwise.
#include <mainwin/ids.h>
