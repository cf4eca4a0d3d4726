// The same, through its own folder.
#include "app/../mainwin/ids.h"
