#include "cli/export_file.h"

#include <utility>

#include "cli/calendar_export.h"
#include "cli/csv_export.h"
#include "runtime/atomic_file.h"
#include "runtime/shell.h"

namespace vemo {

ExportWritten WriteExport(ExportFormat format, const std::vector<TaskRow>& rows,
                          const std::string& database, const std::string& path) {
    ExportWritten result;
    std::string text;
    if (format == ExportFormat::Calendar) {
        const SYSTEMTIME now = CurrentUtcTime();
        const UtcTime utc{now.wYear, now.wMonth, now.wDay, now.wHour, now.wMinute, now.wSecond};
        CalendarExport calendar = ExportCalendar(rows, database, utc, AnsiToUtf8);
        text = std::move(calendar.text);
        result.without_rule = calendar.without_rule;
    } else {
        text = ExportCsv(rows, AnsiToUtf8);
    }
    result.written = ReplaceFileAtomically(path, text, SaveFlush::Flush, HeldFile::Refuse);
    return result;
}

}  // namespace vemo
