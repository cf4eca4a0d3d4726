#include "app/log_lines.h"

#include "runtime/text.h"

namespace vemo {

std::string LogLine(const TaskRow& row, const std::string& today) {
    return JoinText(row.created, " ", row.remind_date, "  ", today, " ", row.text);
}

std::string NoteLine(const TaskRow& row) {
    return JoinText(row.text, " ", row.created, " ", row.priority, " ", row.remind_date, " ",
                    row.time, " ");
}

}  // namespace vemo
