#include "cli/csv_export.h"

#include "runtime/text.h"

namespace vemo {

std::string CsvField(std::string_view field) {
    if (field.find_first_of(",\"\r\n") == std::string_view::npos) return std::string(field);
    std::string quoted = "\"";
    for (const char c : field) {
        if (c == '"') quoted += '"';
        quoted += c;
    }
    quoted += '"';
    return quoted;
}

std::string ExportCsv(const std::vector<TaskRow>& rows, const TextToUtf8& to_utf8) {
    std::string out =
        "\xEF\xBB\xBF"
        "Text,Priority,Created,Remind,Time,State\r\n";
    for (const TaskRow& row : rows) {
        // The numbers without the leading blank the columns write before
        // them (" 5" is 5): a spreadsheet then reads them as numbers.
        out +=
            JoinText(CsvField(to_utf8(row.text)), ",", CsvField(TrimLeftText(row.priority)), ",",
                     CsvField(to_utf8(row.created)), ",", CsvField(to_utf8(row.remind_date)), ",",
                     CsvField(to_utf8(row.time)), ",", CsvField(TrimLeftText(row.state)), "\r\n");
    }
    return out;
}

}  // namespace vemo
