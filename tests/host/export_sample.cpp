// Writes a sample of both exports, a task of every pattern kind, for
// tests/e2e/check_exports.py to read back with real parsers (its expected
// values are in export_sample.json). Usage: export_sample FILE.ics FILE.csv
#include <cstdio>
#include <string>
#include <vector>

#include "cli/calendar_export.h"
#include "cli/csv_export.h"

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
    // Created on Wednesday 04-02-2026; the texts are Latin-1, as the code page gives them.
    const std::string created = "04-02-2026";
    const std::vector<vemo::TaskRow> rows = {
        {"Dentist, 2nd floor; bring card", " 1", created, "07-12-2026", "14:30", " 6"},
        {"Caf\xE9 au lait \"Fran\xE7ois\"", " 2", created, "--Mon", "09:00", " 6"},
        {"Stand-up", " 3", created, "--Day", "08:00", " 3"},
        {"Birthday gift for J\xF6rg", " 12", created, "07--Dec", "10:00", " 5"},
        {"Stretch", " 5", created, "--Day", ":30", " 0"},
        {"Water plants", " 6", created, "--Fri", ":15", " 6"},
        {"Invoice day", " 7", created, "07-12-2026", ":45", " 4"},
        {"Leap day", " 8", created, "29--Feb", ":05", " 6"},
        {"Every day after all", " 9", created, "--Monday", "07:00", " 6"},
        {"Not a pattern", " 0", created, "whenever", "10:00", " 6"},
        {std::string(120, 'x') + "\xE9\xE9\xE9 long enough to fold twice " + std::string(60, 'y'),
         " 10", created, "--Sun", "23:59", " 6"},
    };
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
