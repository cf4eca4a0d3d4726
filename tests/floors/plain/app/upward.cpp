// The model reaching up to the main window.
#include "mainwin/ids.h"
