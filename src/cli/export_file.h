// An export written to its file: the rows as iCalendar or CSV, in UTF-8,
// never half a file and never over one another program holds open.
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <vector>

#include "app/task_record.h"
#include "cli/command_line.h"

namespace vemo {

struct ExportWritten {
    bool written = false;  // when not, the platform's last error says why
    // iCalendar only: the tasks whose date is no pattern a calendar repeats.
    std::optional<std::size_t> without_rule;
};
ExportWritten WriteExport(ExportFormat format, const std::vector<TaskRow>& rows,
                          const std::string& database, const std::string& path);

}  // namespace vemo
