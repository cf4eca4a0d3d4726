// The features floor read backwards: alarms (3b) reaching the command line (3c).
#include "cli/task_request.h"
