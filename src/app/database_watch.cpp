#include "app/database_watch.h"

#include <algorithm>
#include <cstring>
#include <memory>
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

constexpr std::uint64_t kFnvStart = 0xCBF29CE484222325ull;

void HashInto(std::uint64_t& hash, const void* data, std::size_t size) {
    const auto* bytes = static_cast<const unsigned char*>(data);
    for (std::size_t i = 0; i < size; ++i) hash = (hash ^ bytes[i]) * 0x100000001B3ull;
}

// A records file as the folder lists it: its name, size and time.
void HashFound(std::uint64_t& hash, const std::string& path, const WIN32_FIND_DATAA& found) {
    HashInto(hash, path.data(), path.size());
    HashInto(hash, &found.nFileSizeLow, sizeof(found.nFileSizeLow));
    HashInto(hash, &found.ftLastWriteTime, sizeof(found.ftLastWriteTime));
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
    std::uint64_t stamp = kFnvStart;
    ForEachRecordsFile(database_path,
                       [&](const std::string& path, const std::string&,
                           const WIN32_FIND_DATAA& found) { HashFound(stamp, path, found); });
    return stamp;
}

std::optional<std::string> ReadWholeShared(const std::string& path, std::uint64_t largest) {
    const ScopedHandle file(OpenShared(path));
    if (!file) {
        if (Missing(GetLastError())) return std::string();
        return std::nullopt;
    }
    LARGE_INTEGER size{};
    if (!GetFileSizeEx(file.get(), &size) || static_cast<std::uint64_t>(size.QuadPart) > largest) {
        return std::nullopt;
    }
    std::string bytes(static_cast<std::size_t>(size.QuadPart), '\0');
    DWORD got = 0;
    if (!bytes.empty() &&
        (!ReadFile(file.get(), bytes.data(), static_cast<DWORD>(bytes.size()), &got, nullptr) ||
         got != bytes.size())) {
        return std::nullopt;
    }
    return bytes;
}

RecordsRead ReadRecordsFiles(const std::string& database_path) {
    RecordsRead read;
    read.stamp = kFnvStart;
    ForEachRecordsFile(database_path, [&](const std::string& path, const std::string& owner,
                                          const WIN32_FIND_DATAA& found) {
        HashFound(read.stamp, path, found);
        const std::optional<std::string> bytes = ReadWholeShared(path, kLargestRecordsFile);
        if (!bytes) {
            read.complete = false;
            return;
        }
        read.files.push_back({owner, DecodeRecords(*bytes)});
    });
    return read;
}

// The tick's look runs on one worker thread, one question at a time.

namespace {

// What the window's thread and the worker share. The worker is stopped
// when the program ends, after the look it is in: a thread killed by the
// process's end inside the heap or the file system's locks could leave the
// end waiting on them. A look that cannot finish in time (a dead network
// drive) keeps this state for ever rather than lose it under the thread.
struct NoticeChannel {
    CRITICAL_SECTION lock{};
    HANDLE wake = nullptr;  // auto-reset
    bool busy = false;
    bool stopping = false;
    HWND window = nullptr;
    UINT message = 0;
    NoticeQuery question;
    std::optional<Notice> answer;
};

class Lock {
  public:
    explicit Lock(CRITICAL_SECTION& lock) : lock_(lock) { EnterCriticalSection(&lock_); }
    ~Lock() { LeaveCriticalSection(&lock_); }
    Lock(const Lock&) = delete;
    Lock& operator=(const Lock&) = delete;

  private:
    CRITICAL_SECTION& lock_;
};

Notice Look(NoticeQuery question) {
    Notice notice;
    notice.query = std::move(question);
    const NoticeQuery& q = notice.query;
    const FileStamp now = QueryStamp(q.path);
    notice.records_stamp = QueryRecordsStamp(q.path);
    if (!now.present) return notice;  // gone for now: NotYet
    if (now.SameAttributes(q.stamp) && q.stamp.settled && notice.records_stamp == q.records_stamp) {
        notice.read.status = DatabaseRead::Status::Unchanged;
        notice.read.stamp = q.stamp;
        return notice;
    }
    notice.read = ReadDatabaseFile(q.path, nullptr, true);
    if (notice.read.status != DatabaseRead::Status::Read) {
        notice.read.status = DatabaseRead::Status::NotYet;
        return notice;
    }
    RecordsRead records = ReadRecordsFiles(q.path);
    // A writer still busy: what was read may be half of two versions.
    if (!QueryStamp(q.path).SameAttributes(notice.read.stamp) ||
        QueryRecordsStamp(q.path) != records.stamp) {
        notice.read = {};
        return notice;
    }
    notice.records = std::move(records.files);
    // A records file that could not be read is read again next tick.
    notice.records_stamp = records.complete ? records.stamp : 0;
    return notice;
}

DWORD WINAPI RunNoticeWorker(void* parameter) {
    NoticeChannel& channel = *static_cast<NoticeChannel*>(parameter);
    for (;;) {
        WaitForSingleObject(channel.wake, INFINITE);
        NoticeQuery question;
        {
            const Lock hold(channel.lock);
            if (channel.stopping) return 0;
            question = channel.question;
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
            const Lock hold(channel.lock);
            if (channel.stopping) return 0;
            channel.answer = std::move(notice);
            channel.busy = false;
            window = channel.window;
            message = channel.message;
        }
        PostMessageA(window, message, 0, 0);
    }
}

class NoticeWorker {
  public:
    NoticeWorker() = default;
    NoticeWorker(const NoticeWorker&) = delete;
    NoticeWorker& operator=(const NoticeWorker&) = delete;
    ~NoticeWorker() {
        if (thread_ == nullptr) return;
        {
            const Lock hold(channel_->lock);
            channel_->stopping = true;
        }
        SetEvent(channel_->wake);
        const bool stopped = WaitForSingleObject(thread_, kStopWaitMs) == WAIT_OBJECT_0;
        CloseHandle(thread_);
        if (!stopped) return;  // the channel stays with the thread
        CloseHandle(channel_->wake);
        DeleteCriticalSection(&channel_->lock);
        delete channel_;
    }

    bool Ask(HWND window, UINT message, NoticeQuery query) {
        if (channel_ == nullptr && !Start()) return false;
        {
            const Lock hold(channel_->lock);
            if (channel_->busy) return false;
            channel_->busy = true;
            channel_->window = window;
            channel_->message = message;
            channel_->question = std::move(query);
        }
        SetEvent(channel_->wake);
        return true;
    }

    std::optional<Notice> Take() {
        if (channel_ == nullptr) return std::nullopt;
        const Lock hold(channel_->lock);
        return std::exchange(channel_->answer, std::nullopt);
    }

  private:
    // The end of the program waits this long for a look in progress.
    static constexpr DWORD kStopWaitMs = 2000;

    bool Start() {
        auto channel = std::make_unique<NoticeChannel>();
        channel->wake = CreateEventA(nullptr, FALSE, FALSE, nullptr);
        if (channel->wake == nullptr) return false;
        InitializeCriticalSection(&channel->lock);
        thread_ = CreateThread(nullptr, 0, RunNoticeWorker, channel.get(), 0, nullptr);
        if (thread_ == nullptr) {
            DeleteCriticalSection(&channel->lock);
            CloseHandle(channel->wake);
            return false;
        }
        channel_ = channel.release();  // freed by the destructor once the thread ends
        return true;
    }

    NoticeChannel* channel_ = nullptr;
    HANDLE thread_ = nullptr;
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
