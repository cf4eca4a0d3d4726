#include "app/task_store.h"

#include <algorithm>
#include <cstring>

#include "app/backup_names.h"
#include "app/database_watch.h"
#include "app/state.h"
#include "runtime/atomic_file.h"
#include "runtime/files.h"
#include "runtime/paths.h"
#include "runtime/scoped.h"
#include "runtime/shell.h"

namespace vemo {

namespace {

// Rows come from the file this many at a time: a large database is never
// held whole in memory, whose fresh pages cost more than the reading.
constexpr std::size_t kChunkRows = 64;
// And go to it this many at a time (a quarter of a megabyte): few calls into
// the system, in a buffer the heap hands back from its own pages, as fresh
// pages cost more than the writing.
constexpr std::size_t kWriteRows = 256;
// More than 2 GB is no database this program wrote.
constexpr long long kLargestDatabase = 0x7FFFFFFF;

// The database's bytes read with full sharing, so that a running Vemo can
// still save meanwhile; never created, a missing file being an empty
// database. None when it cannot be read whole.
std::optional<std::string> ReadShared() {
    return ReadWholeShared(DatabasePath(), kLargestDatabase);
}

// The copies.

constexpr char kBackupDatePicture[] = "yyyy'-'MM'-'dd";
// The header and one task: a smaller file has nothing worth a day's copy,
// and its copy would push a good one out of the fourteen.
constexpr unsigned long long kSmallestDatedBackup = 2 * TaskRecordSize;
// Clear All pressed this often in one second is no user's.
constexpr int kMostCopyNames = 1000;

struct FindTraits : KernelHandleTraits {
    static bool Free(HANDLE h) { return FindClose(h) != 0; }
};
using ScopedFind = UniqueHandle<FindTraits>;

bool NameTaken(DWORD error) {
    return error == ERROR_FILE_EXISTS || error == ERROR_ALREADY_EXISTS;
}

// False when the folder cannot be had, say a file holds its name.
bool MakeFolder(const std::string& folder) {
    if (CreateDirectoryA(folder.c_str(), nullptr)) return true;
    const DWORD error = GetLastError();
    const DWORD attributes = GetFileAttributesA(folder.c_str());
    SetLastError(error);
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
}

std::vector<std::string> FileNamesIn(const std::string& folder) {
    std::vector<std::string> names;
    WIN32_FIND_DATAA found{};
    const ScopedFind search(FindFirstFileA((folder + "\\*").c_str(), &found));
    if (!search) return names;
    do {
        if ((found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) == 0) {
            names.emplace_back(found.cFileName);
        }
    } while (FindNextFileA(search.get(), &found));
    return names;
}

// A copy of a read-only database would be read-only too, and the rotation
// could never delete it: the copies are plain files.
bool CopyAsPlainFile(const std::string& from, const std::string& to) {
    if (!CopyFileTo(from, to, true)) return false;
    const DWORD attributes = GetFileAttributesA(to.c_str());
    if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_READONLY) != 0) {
        SetFileAttributesA(to.c_str(), attributes & ~static_cast<DWORD>(FILE_ATTRIBUTE_READONLY));
    }
    return true;
}

// The day's copy of a database that holds at least one task; a later start
// the same day keeps the first one's. The dated copies of that database past
// the newest 14 are deleted.
void KeepDatedBackup(const std::string& database_path) {
    WIN32_FILE_ATTRIBUTE_DATA data{};
    if (!GetFileAttributesExA(database_path.c_str(), GetFileExInfoStandard, &data)) return;
    const unsigned long long size =
        (static_cast<unsigned long long>(data.nFileSizeHigh) << 32) | data.nFileSizeLow;
    if ((data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0 || size < kSmallestDatedBackup) {
        return;
    }
    const std::string date = DateText(kBackupDatePicture);
    if (date.empty()) return;  // a clock the platform cannot name
    const std::string folder = BackupFolderFor(database_path);
    const std::string stem = BackupStemOf(database_path);
    if (!MakeFolder(folder)) {
        TraceSaveFailure("Dated backup", GetLastError());
        return;
    }
    // The day's first start wins: its copy holds the day's starting tasks.
    const std::string computer = ComputerName();
    const std::string copy = folder + "\\" + DatedBackupName(stem, date, computer);
    if (!CopyAsPlainFile(database_path, copy)) {
        const DWORD error = GetLastError();
        if (!NameTaken(error)) TraceSaveFailure("Dated backup", error);
    }
    for (const std::string& old : DatedBackupsToDelete(FileNamesIn(folder), stem, computer)) {
        if (!RemoveFile(folder + "\\" + old)) {
            TraceSaveFailure("Dated backup rotation", GetLastError());
        }
    }
}

// A save's bytes gathered in memory: Clear All's copy.
class BytesWriter final : public ContentWriter {
  public:
    bool Write(std::string_view bytes) override {
        bytes_.append(bytes);
        return true;
    }
    bool WriteAt(std::uint64_t offset, std::string_view bytes) override {
        if (offset + bytes.size() > bytes_.size()) return false;
        bytes_.replace(static_cast<std::size_t>(offset), bytes.size(), bytes);
        return true;
    }
    const std::string& bytes() const { return bytes_; }

  private:
    std::string bytes_;
};

// A file made under a name no file holds yet, its bytes on the disk before
// it counts as made; false, with the platform's last error, when it could
// not be, and nothing is left behind.
bool WriteNewFile(const std::string& path, const std::string& bytes) {
    DWORD error = ERROR_SUCCESS;
    {
        const ScopedHandle file(CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                                            FILE_ATTRIBUTE_NORMAL, nullptr));
        if (!file) return false;
        DWORD written = 0;
        const bool whole = WriteFile(file.get(), bytes.data(), static_cast<DWORD>(bytes.size()),
                                     &written, nullptr) &&
                           written == bytes.size() && FlushFileBuffers(file.get());
        if (whole) return true;
        error = GetLastError();
    }
    DeleteFileA(path.c_str());
    SetLastError(error == ERROR_SUCCESS ? ERROR_WRITE_FAULT : error);
    return false;
}

// A save's bytes written from the rows a chunk of records at a time.
bool WriteDatabaseContent(ContentWriter& out, RecordBuffer& buffer, const TaskRows& rows,
                          int count) {
    // The header, which repeats the last record's bytes with the count, goes
    // in last.
    const std::string empty_header(TaskRecordSize, '\0');
    if (!out.Write(empty_header)) return false;
    std::string chunk;
    chunk.reserve(std::min<std::size_t>(kWriteRows, static_cast<std::size_t>(count)) *
                  TaskRecordSize);
    for (int first = 0; first < count; first += static_cast<int>(kWriteRows)) {
        const int end = std::min(first + static_cast<int>(kWriteRows), count);
        chunk.resize(static_cast<std::size_t>(end - first) * TaskRecordSize);
        char* record = chunk.data();
        for (int row = first; row < end; ++row, record += TaskRecordSize) {
            EncodeTaskRecord(rows.View(row), buffer);
            std::memcpy(record, buffer.data(), TaskRecordSize);
        }
        if (!out.Write(chunk)) return false;
    }
    SetRecordCount(buffer, count);
    return out.WriteAt(
        0, std::string_view(reinterpret_cast<const char*>(buffer.data()), TaskRecordSize));
}

// The rows written over `path` crash-safe, a chunk at a time.
bool WriteRowsTo(const std::string& path, const TaskRows& rows, int count, RecordBuffer& buffer) {
    count = std::clamp(count, 0, rows.Count());
    const RecordBuffer start = buffer;
    return ReplaceFileAtomically(path, [&](ContentWriter& out) {
        buffer = start;  // each run writes the same bytes
        return WriteDatabaseContent(out, buffer, rows, count);
    });
}

}  // namespace

const std::string& DatabasePath() {
    return SettingsOf().Values.database_path;
}

bool IsDatabaseFile(const std::string& path) {
    const auto full = [](const std::string& name) {
        std::string buffer(32768, '\0');
        const DWORD length = GetFullPathNameA(name.c_str(), static_cast<DWORD>(buffer.size()),
                                              buffer.data(), nullptr);
        buffer.resize(length < buffer.size() ? length : 0);
        return LowerText(buffer);
    };
    const std::string database = full(DatabasePath());
    return !database.empty() && full(path) == database;
}

bool LoadDatabase(TaskRows& rows, RecordBuffer& buffer) {
    FileHandle database;
    if (OpenFile(database, RecordFile, DatabasePath(), "a") != 0) return false;
    const long long size = FileSize(database);
    if (size < 0 || size > kLargestDatabase) return false;
    RecordBuffer header = buffer;
    std::size_t count = 0;
    if (size >= static_cast<long long>(TaskRecordSize)) {
        if (!ReadExactly(database, 0, header)) return false;
        count = RowsToLoad(header, static_cast<std::uint64_t>(size));
    }
    TaskRows loaded;
    loaded.Reserve(count, count * 64);
    std::vector<std::uint8_t> chunk(kChunkRows * TaskRecordSize);
    std::string priority, state;
    for (std::size_t first = 0; first < count; first += kChunkRows) {
        const std::size_t n = std::min(kChunkRows, count - first);
        const auto at = static_cast<long long>((first + 1) * TaskRecordSize);
        if (!ReadExactly(database, at, std::span(chunk.data(), n * TaskRecordSize))) return false;
        for (std::size_t r = 0; r < n; ++r) {
            loaded.Append(DecodeTaskRecord(chunk.data() + r * TaskRecordSize, priority, state));
        }
        // The buffer ends holding the last record read, as it always has.
        std::memcpy(header.data(), chunk.data() + (n - 1) * TaskRecordSize, TaskRecordSize);
    }
    buffer = header;
    rows = std::move(loaded);
    return true;
}

bool SaveDatabase(const TaskRows& rows, int count, RecordBuffer& buffer) {
    return WriteRowsTo(DatabasePath(), rows, count, buffer);
}

void RemoveLeftoverDatabaseSave() {
    RemoveLeftoverTemporary(DatabasePath());
}

std::optional<std::vector<TaskRow>> ReadDatabaseRows() {
    const std::optional<std::string> bytes = ReadShared();
    if (!bytes) return std::nullopt;
    RecordBuffer buffer{};
    return DecodeDatabase(*bytes, buffer);
}

AppendResult AppendToDatabase(const std::function<TaskRow(std::size_t rows_before)>& make) {
    AppendResult result;
    const std::optional<std::string> bytes = ReadShared();
    if (!bytes) {
        result.status = AppendResult::Status::Unreadable;
        return result;
    }
    RecordBuffer& buffer = result.buffer;
    std::vector<TaskRow>& rows = result.rows;
    rows = DecodeDatabase(*bytes, buffer);
    rows.push_back(make(rows.size()));
    result.row = rows.back();
    const RecordBuffer start = buffer;
    if (!ReplaceFileAtomically(DatabasePath(), EncodeDatabase(rows, buffer))) {
        result.status = AppendResult::Status::Unsaved;
    }
    buffer = start;
    return result;
}

namespace {

std::string OwnFile(std::string_view ending) {
    return JoinText(DatabasePath(), ".", ThisPcName(), ending);
}

}  // namespace

std::optional<RecordsFile> ReadOwnRecords() {
    const std::optional<std::string> bytes = ReadWholeShared(OwnFile(".del"), kLargestRecordsFile);
    if (!bytes) return std::nullopt;
    return DecodeRecords(*bytes);
}

bool WriteOwnRecords(const RecordsFile& file) {
    return ReplaceFileAtomically(OwnFile(".del"), EncodeRecords(file));
}

bool WriteLastList(const TaskRows& rows, const RecordBuffer& buffer) {
    RecordBuffer record = buffer;
    return WriteRowsTo(OwnFile(".last"), rows, rows.Count(), record);
}

std::optional<TaskRows> ReadLastList(std::int64_t max_days) {
    const std::string path = OwnFile(".last");
    const FileStamp stamp = QueryStamp(path);
    FILETIME clock{};
    GetSystemTimeAsFileTime(&clock);
    const std::uint64_t now =
        (static_cast<std::uint64_t>(clock.dwHighDateTime) << 32) | clock.dwLowDateTime;
    constexpr std::uint64_t kDay = 24ull * 60 * 60 * 10'000'000;
    if (!stamp.present ||
        (now > stamp.time && (now - stamp.time) / kDay > static_cast<std::uint64_t>(max_days))) {
        return std::nullopt;
    }
    DatabaseRead read = ReadDatabaseFile(path, nullptr, false);
    if (read.status != DatabaseRead::Status::Read) return std::nullopt;
    return std::move(read.rows);
}

void KeepMergeBackups(const TaskRows& found, const TaskRows& here) {
    const std::string& database = DatabasePath();
    const std::string folder = BackupFolderFor(database);
    if (!MakeFolder(folder)) {
        TraceSaveFailure("Merge backup", GetLastError());
        return;
    }
    const std::string stem = BackupStemOf(database);
    const std::string date = DateText(kBackupDatePicture);
    const std::string time = TimeText();
    const std::string computer = ComputerName();
    RecordBuffer buffer{};
    if (!WriteRowsTo(folder + "\\" + MergeBackupName(stem, date, time, computer, true), found,
                     found.Count(), buffer) ||
        !WriteRowsTo(folder + "\\" + MergeBackupName(stem, date, time, computer, false), here,
                     here.Count(), buffer)) {
        TraceSaveFailure("Merge backup", GetLastError());
    }
    for (const std::string& old : MergeBackupsToDelete(FileNamesIn(folder), stem, computer)) {
        RemoveFile(folder + "\\" + old);
    }
}

bool BackUpDatabase() {
    const std::string& database = DatabasePath();
    // A database that does not exist yet has nothing to back up.
    if (GetFileAttributesA(database.c_str()) == INVALID_FILE_ATTRIBUTES) return true;
    const bool saved = CopyFileTo(database, "vemo.bak", false);
    KeepDatedBackup(database);  // vemo.bak is overwritten every start; these keep history
    return saved;
}

bool KeepClearAllCopy(const TaskRows& rows, int count, const RecordBuffer& buffer) {
    // Written from the rows, not copied from the file: the edits a later
    // save would have written are in it too.
    RecordBuffer record = buffer;
    BytesWriter content;
    WriteDatabaseContent(content, record, rows, std::clamp(count, 0, rows.Count()));
    const std::string& database = DatabasePath();
    const std::string folder = BackupFolderFor(database);
    if (!MakeFolder(folder)) return false;
    const std::string stem = BackupStemOf(database);
    const std::string date = DateText(kBackupDatePicture);
    const std::string time = TimeText();
    for (int attempt = 1; attempt <= kMostCopyNames; ++attempt) {
        const std::string copy = folder + "\\" + ClearAllBackupName(stem, date, time, attempt);
        if (WriteNewFile(copy, content.bytes())) return true;
        if (!NameTaken(GetLastError())) return false;
    }
    return false;
}

}  // namespace vemo
