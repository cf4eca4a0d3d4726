#include "runtime/atomic_file.h"

#include <algorithm>

#include "runtime/paths.h"
#include "runtime/seams.h"
#include "runtime/win32.h"

namespace vemo {

namespace {

constexpr std::size_t kWritePiece = 64 * 1024;
constexpr int kMoveAttempts = 10;
constexpr DWORD kMoveRetryMs = 100;

// Counts the steps of one save so a test can make any one of them fail.
class FaultPoint {
  public:
    bool Fails() { return ++step_ == Seams().atomic_write_fault_step; }

  private:
    int step_ = 0;
};

class ScopedHandle {
  public:
    explicit ScopedHandle(HANDLE handle) : handle_(handle) {}
    ~ScopedHandle() { Close(); }
    ScopedHandle(const ScopedHandle&) = delete;
    ScopedHandle& operator=(const ScopedHandle&) = delete;
    bool Valid() const { return handle_ != INVALID_HANDLE_VALUE && handle_ != nullptr; }
    HANDLE get() const { return handle_; }
    bool Close() {
        const bool closed = !Valid() || CloseHandle(handle_) != 0;
        handle_ = INVALID_HANDLE_VALUE;
        return closed;
    }

  private:
    HANDLE handle_;
};

bool WriteEverything(HANDLE handle, std::string_view bytes, FaultPoint& faults) {
    do {
        const std::size_t piece = std::min(bytes.size(), kWritePiece);
        DWORD written = 0;
        if (faults.Fails()) return false;
        if (!WriteFile(handle, bytes.data(), static_cast<DWORD>(piece), &written, nullptr) ||
            written != piece) {
            return false;
        }
        bytes.remove_prefix(piece);
    } while (!bytes.empty());
    return true;
}

bool IsSharingRefusal(DWORD error) {
    return error == ERROR_SHARING_VIOLATION || error == ERROR_ACCESS_DENIED ||
           error == ERROR_LOCK_VIOLATION;
}

// The last resort when another program keeps the file open: write over it.
bool WriteInPlace(const std::string& path, std::string_view bytes) {
    ScopedHandle file(CreateFileA(path.c_str(), GENERIC_WRITE, FILE_SHARE_READ, nullptr,
                                  OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file.Valid()) return false;
    FaultPoint no_faults_here;
    return WriteEverything(file.get(), bytes, no_faults_here) && SetEndOfFile(file.get()) &&
           FlushFileBuffers(file.get()) && file.Close();
}

}  // namespace

bool ReplaceFileAtomically(const std::string& path, std::string_view bytes, SaveFlush flush) {
    const DWORD attributes = GetFileAttributesA(path.c_str());
    if (attributes != INVALID_FILE_ATTRIBUTES &&
        (attributes & (FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_DIRECTORY)) != 0) {
        return false;
    }

    const std::string temporary = TemporaryPathFor(path);
    FaultPoint faults;
    const bool abandon = Seams().abandon_on_fault;
    ScopedHandle file(faults.Fails() ? INVALID_HANDLE_VALUE
                                     : CreateFileA(temporary.c_str(), GENERIC_WRITE, 0, nullptr,
                                                   CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file.Valid()) return false;

    const bool written = WriteEverything(file.get(), bytes, faults) && !faults.Fails() &&
                         (flush == SaveFlush::NoFlush || FlushFileBuffers(file.get())) &&
                         !faults.Fails() && file.Close();
    if (!written) {
        file.Close();
        if (!abandon) DeleteFileA(temporary.c_str());
        return false;
    }

    if (faults.Fails()) {
        if (!abandon) DeleteFileA(temporary.c_str());
        return false;
    }
    for (int attempt = 0; attempt < kMoveAttempts; ++attempt) {
        const DWORD through = flush == SaveFlush::Flush ? MOVEFILE_WRITE_THROUGH : 0;
        if (MoveFileExA(temporary.c_str(), path.c_str(), MOVEFILE_REPLACE_EXISTING | through)) {
            return true;
        }
        if (!IsSharingRefusal(GetLastError())) break;
        Sleep(kMoveRetryMs);
    }
    const bool saved = WriteInPlace(path, bytes);
    DeleteFileA(temporary.c_str());
    return saved;
}

void RemoveLeftoverTemporary(const std::string& path) {
    DeleteFileA(TemporaryPathFor(path).c_str());
}

}  // namespace vemo
