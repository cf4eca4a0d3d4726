// The lines of the log file and the note file. Portable.
#pragma once

#include <string>

#include "app/task_record.h"

namespace vemo {

// created + " " + remind date + two blanks + today + " " + text.
std::string LogLine(const TaskRow& row, const std::string& today);

// text, created, priority, remind date and time, each followed by a blank.
std::string NoteLine(const TaskRow& row);

}  // namespace vemo
