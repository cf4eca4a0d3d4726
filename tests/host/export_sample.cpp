// Writes both exports of the sample rows (support/export_rows.h), a task of
// every pattern kind, for tests/e2e/check_exports.py to read back with real
// parsers (its expected values are in export_sample.json).
// Usage: export_sample FILE.ics FILE.csv
#include <cstdio>
#include <string>
#include <vector>

#include "cli/calendar_export.h"
#include "cli/csv_export.h"
#include "support/export_rows.h"

namespace {

bool Write(const char* path, const std::string& bytes) {
    std::FILE* file = std::fopen(path, "wb");
    if (file == nullptr) return false;
    const bool written = std::fwrite(bytes.data(), 1, bytes.size(), file) == bytes.size();
    return std::fclose(file) == 0 && written;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 3) {
        std::fprintf(stderr, "usage: export_sample FILE.ics FILE.csv\n");
        return 2;
    }
    const std::vector<vemo::TaskRow> rows = vemo::testing::ExportSampleRows();
    const vemo::UtcTime now{2026, 3, 10, 7, 8, 9};
    const vemo::CalendarExport calendar =
        vemo::ExportCalendar(rows, "C:\\Vemo\\vemo.dat", now, vemo::Latin1ToUtf8);
    if (!Write(argv[1], calendar.text) ||
        !Write(argv[2], vemo::ExportCsv(rows, vemo::Latin1ToUtf8))) {
        std::perror("export_sample");
        return 1;
    }
    std::printf("%s\n", vemo::ExportedLine(calendar.tasks, argv[1], calendar.without_rule).c_str());
    return 0;
}
