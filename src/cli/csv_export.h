// The tasks as CSV (RFC 4180) for spreadsheets. Portable: no platform headers.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "app/task_record.h"
#include "cli/export_text.h"

namespace vemo {

// UTF-8 with a byte-order mark, so spreadsheets read the accents; the
// header "Text,Priority,Created,Remind,Time,State", then one line per task
// in list order, CR LF after each.
std::string ExportCsv(const std::vector<TaskRow>& rows, const TextToUtf8& to_utf8);

// A field, quoted (its quotes doubled) when it holds a comma, a quote, CR or LF.
std::string CsvField(std::string_view field);

}  // namespace vemo
