#include "app/database_watch.h"

#include <algorithm>
#include <cstring>
#include <utility>

#include "app/task_merge.h"
#include "runtime/scoped.h"

namespace vemo {

namespace {

// Rows come from the file this many at a time: one buffer the size of a
// large file costs more in fresh pages than the reading.
constexpr std::size_t kChunkRows = 64;
// More than 2 GB is no database this program wrote.
constexpr std::uint64_t kLargestDatabase = 0x7FFFFFFF;
// A records file is a few lines per deleted task; more is not ours.
constexpr std::uint64_t kLargestRecordsFile = 16u << 20;

std::uint64_t TimeOf(const FILETIME& time) {
    return (static_cast<std::uint64_t>(time.dwHighDateTime) << 32) | time.dwLowDateTime;
}

std::uint64_t Join(DWORD high, DWORD low) {
    return (static_cast<std::uint64_t>(high) << 32) | low;
}

bool Missing(DWORD error) {
    return error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND;
}

HANDLE OpenShared(const std::string& path) {
    return CreateFileA(path.c_str(), GENERIC_READ,
                       FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                       OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
}

// The folder part of a path, with its separator ("" for a bare name).
std::string FolderPart(const std::string& path) {
    const std::size_t slash = path.find_last_of("\\/");
    return slash == std::string::npos ? std::string() : path.substr(0, slash + 1);
}

std::string NamePart(const std::string& path) {
    const std::size_t slash = path.find_last_of("\\/");
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

struct FindTraits : KernelHandleTraits {
    static bool Free(HANDLE h) { return FindClose(h) != 0; }
};
using ScopedFind = UniqueHandle<FindTraits>;

// Every records file beside the database, in the folder's order.
template <typename Visit>
void ForEachRecordsFile(const std::string& database_path, Visit&& visit) {
    const std::string folder = FolderPart(database_path);
    const std::string database = NamePart(database_path);
    WIN32_FIND_DATAA found{};
    const ScopedFind search(FindFirstFileA((folder + database + ".*.del").c_str(), &found));
    if (!search) return;
    do {
        if ((found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0) continue;
        const std::string owner = RecordsOwnerOf(found.cFileName, database);
        if (!owner.empty()) visit(folder + found.cFileName, owner, found);
    } while (FindNextFileA(search.get(), &found));
}

void HashInto(std::uint64_t& hash, const void* data, std::size_t size) {
    const auto* bytes = static_cast<const unsigned char*>(data);
    for (std::size_t i = 0; i < size; ++i) hash = (hash ^ bytes[i]) * 0x100000001B3ull;
}

// A clock set back makes every stamp look new: looked at once more, no harm.
bool SettledNow(std::uint64_t write_time) {
    FILETIME clock{};
    GetSystemTimeAsFileTime(&clock);
    const std::uint64_t now = TimeOf(clock);
    return now >= write_time && now - write_time >= kUnsettledTime;
}

}  // namespace

FileStamp QueryStamp(const std::string& path) {
    FileStamp stamp;
    WIN32_FILE_ATTRIBUTE_DATA data{};
    if (!GetFileAttributesExA(path.c_str(), GetFileExInfoStandard, &data) ||
        (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0) {
        return stamp;
    }
    stamp.present = true;
    stamp.size = Join(data.nFileSizeHigh, data.nFileSizeLow);
    stamp.time = TimeOf(data.ftLastWriteTime);
    stamp.settled = SettledNow(stamp.time);
    return stamp;
}

namespace {

bool StampOfOpenFile(HANDLE file, FileStamp& stamp) {
    BY_HANDLE_FILE_INFORMATION info{};
    if (!GetFileInformationByHandle(file, &info)) return false;
    stamp.present = true;
    stamp.size = Join(info.nFileSizeHigh, info.nFileSizeLow);
    stamp.time = TimeOf(info.ftLastWriteTime);
    stamp.id = (static_cast<std::uint64_t>(info.dwVolumeSerialNumber) << 32) ^
               Join(info.nFileIndexHigh, info.nFileIndexLow);
    stamp.settled = SettledNow(stamp.time);
    return true;
}

}  // namespace

FileStamp OpenedStamp(const std::string& path) {
    FileStamp stamp;
    const ScopedHandle file(OpenShared(path));
    if (file && !StampOfOpenFile(file.get(), stamp)) stamp = {};
    return stamp;
}

DatabaseRead ReadDatabaseFile(const std::string& path, const FileStamp* remembered,
                              bool whole_only) {
    DatabaseRead read;
    const ScopedHandle file(OpenShared(path));
    if (!file) {
        if (Missing(GetLastError())) read.status = DatabaseRead::Status::Missing;
        return read;
    }
    if (!StampOfOpenFile(file.get(), read.stamp)) return read;
    if (remembered != nullptr && remembered->settled && remembered->SameFile(read.stamp)) {
        read.status = DatabaseRead::Status::Unchanged;
        return read;
    }
    if (read.stamp.size > kLargestDatabase) return read;
    std::size_t count = 0;
    if (read.stamp.size >= TaskRecordSize) {
        DWORD got = 0;
        if (!ReadFile(file.get(), read.buffer.data(), TaskRecordSize, &got, nullptr) ||
            got != TaskRecordSize) {
            return read;
        }
        const std::int32_t promised = RecordCount(read.buffer);
        count = RowsToLoad(read.buffer, read.stamp.size);
        // A sync client still writing it: the rest comes later.
        if (whole_only && promised > 0 && static_cast<std::size_t>(promised) > count) return read;
    }
    read.rows.Reserve(count, count * 64);
    std::vector<std::uint8_t> chunk(std::min(kChunkRows, std::max<std::size_t>(count, 1)) *
                                    TaskRecordSize);
    std::string priority, state;
    for (std::size_t first = 0; first < count; first += kChunkRows) {
        const std::size_t n = std::min(kChunkRows, count - first);
        const auto bytes = static_cast<DWORD>(n * TaskRecordSize);
        DWORD got = 0;
        if (!ReadFile(file.get(), chunk.data(), bytes, &got, nullptr) || got != bytes) return read;
        for (std::size_t r = 0; r < n; ++r) {
            read.rows.Append(DecodeTaskRecord(chunk.data() + r * TaskRecordSize, priority, state));
        }
        std::memcpy(read.buffer.data(), chunk.data() + (n - 1) * TaskRecordSize, TaskRecordSize);
    }
    read.hash = ListHash(read.rows);
    read.status = DatabaseRead::Status::Read;
    return read;
}

std::uint64_t QueryRecordsStamp(const std::string& database_path) {
    std::uint64_t stamp = 0xCBF29CE484222325ull;
    ForEachRecordsFile(database_path, [&](const std::string& path, const std::string&,
                                          const WIN32_FIND_DATAA& found) {
        HashInto(stamp, path.data(), path.size());
        HashInto(stamp, &found.nFileSizeLow, sizeof(found.nFileSizeLow));
        HashInto(stamp, &found.ftLastWriteTime, sizeof(found.ftLastWriteTime));
    });
    return stamp;
}

std::vector<OwnedRecords> ReadRecordsFiles(const std::string& database_path, std::uint64_t* stamp) {
    std::vector<OwnedRecords> files;
    std::uint64_t hash = 0xCBF29CE484222325ull;
    ForEachRecordsFile(database_path, [&](const std::string& path, const std::string& owner,
                                          const WIN32_FIND_DATAA& found) {
        HashInto(hash, path.data(), path.size());
        HashInto(hash, &found.nFileSizeLow, sizeof(found.nFileSizeLow));
        HashInto(hash, &found.ftLastWriteTime, sizeof(found.ftLastWriteTime));
        const ScopedHandle file(OpenShared(path));
        LARGE_INTEGER size{};
        if (!file || !GetFileSizeEx(file.get(), &size) ||
            static_cast<std::uint64_t>(size.QuadPart) > kLargestRecordsFile) {
            return;
        }
        std::string bytes(static_cast<std::size_t>(size.QuadPart), '\0');
        DWORD got = 0;
        if (!bytes.empty() &&
            (!ReadFile(file.get(), bytes.data(), static_cast<DWORD>(bytes.size()), &got, nullptr) ||
             got != bytes.size())) {
            return;
        }
        files.push_back({owner, DecodeRecords(bytes)});
    });
    if (stamp != nullptr) *stamp = hash;
    return files;
}

// The tick's look runs on one worker thread, one question at a time.

namespace {

class NoticeWorker {
  public:
    NoticeWorker() { InitializeCriticalSection(&lock_); }
    NoticeWorker(const NoticeWorker&) = delete;
    NoticeWorker& operator=(const NoticeWorker&) = delete;

    bool Ask(HWND window, UINT message, NoticeQuery query) {
        {
            const Lock hold(lock_);
            if (busy_) return false;
            busy_ = true;
            window_ = window;
            message_ = message;
            question_ = std::move(query);
        }
        if (thread_ == nullptr) {
            wake_.reset(CreateEventA(nullptr, FALSE, FALSE, nullptr));
            if (wake_) thread_ = CreateThread(nullptr, 0, &NoticeWorker::Run, this, 0, nullptr);
            if (thread_ == nullptr) {
                const Lock hold(lock_);
                busy_ = false;
                return false;
            }
        }
        SetEvent(wake_.get());
        return true;
    }

    std::optional<Notice> Take() {
        const Lock hold(lock_);
        return std::exchange(answer_, std::nullopt);
    }

  private:
    class Lock {
      public:
        explicit Lock(CRITICAL_SECTION& lock) : lock_(lock) { EnterCriticalSection(&lock_); }
        ~Lock() { LeaveCriticalSection(&lock_); }
        Lock(const Lock&) = delete;
        Lock& operator=(const Lock&) = delete;

      private:
        CRITICAL_SECTION& lock_;
    };

    static DWORD WINAPI Run(void* self) {
        static_cast<NoticeWorker*>(self)->Loop();
        return 0;
    }

    void Loop() {
        for (;;) {
            WaitForSingleObject(wake_.get(), INFINITE);
            NoticeQuery question;
            {
                const Lock hold(lock_);
                question = question_;
            }
            Notice notice;
            try {
                notice = Look(std::move(question));
            } catch (...) {
                notice = {};  // out of memory: looked at again next tick
            }
            HWND window = nullptr;
            UINT message = 0;
            {
                const Lock hold(lock_);
                answer_ = std::move(notice);
                busy_ = false;
                window = window_;
                message = message_;
            }
            PostMessageA(window, message, 0, 0);
        }
    }

    static Notice Look(NoticeQuery question) {
        Notice notice;
        notice.query = std::move(question);
        const NoticeQuery& q = notice.query;
        const FileStamp now = QueryStamp(q.path);
        notice.records_stamp = QueryRecordsStamp(q.path);
        if (!now.present) return notice;  // gone for now: NotYet
        if (now.SameAttributes(q.stamp) && q.stamp.settled &&
            notice.records_stamp == q.records_stamp) {
            notice.read.status = DatabaseRead::Status::Unchanged;
            notice.read.stamp = q.stamp;
            return notice;
        }
        notice.read = ReadDatabaseFile(q.path, nullptr, true);
        if (notice.read.status != DatabaseRead::Status::Read) {
            notice.read.status = DatabaseRead::Status::NotYet;
            return notice;
        }
        notice.records = ReadRecordsFiles(q.path, &notice.records_stamp);
        // A writer still busy: what was read may be half of two versions.
        if (!QueryStamp(q.path).SameAttributes(notice.read.stamp) ||
            QueryRecordsStamp(q.path) != notice.records_stamp) {
            notice.read = {};
            notice.records.clear();
        }
        return notice;
    }

    CRITICAL_SECTION lock_{};  // lives as long as the process, as the thread
    bool busy_ = false;
    HWND window_ = nullptr;
    UINT message_ = 0;
    NoticeQuery question_;
    std::optional<Notice> answer_;
    ScopedHandle wake_;
    HANDLE thread_ = nullptr;  // runs for the life of the process
};

NoticeWorker& Worker() {
    static NoticeWorker worker;
    return worker;
}

}  // namespace

bool AskForNotice(HWND window, UINT message, NoticeQuery query) {
    return Worker().Ask(window, message, std::move(query));
}

std::optional<Notice> TakeNotice() {
    return Worker().Take();
}

}  // namespace vemo
