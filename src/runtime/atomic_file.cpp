#include "runtime/atomic_file.h"

#include <algorithm>
#include <string>

#include "runtime/paths.h"
#include "runtime/scoped.h"
#include "runtime/seams.h"
#include "runtime/shell.h"
#include "runtime/win32.h"

namespace vemo {

namespace {

// Each write is a call into the system: large pieces, few calls.
constexpr std::size_t kWritePiece = 1024 * 1024;
// A held file is asked for again for about 0.4 s before the save writes in
// place, so a save never stalls the window for long.
constexpr int kMoveAttempts = 5;
constexpr DWORD kMoveRetryMs = 100;

// Counts the steps of one save so a test can make any one of them fail.
class FaultPoint {
  public:
    bool Fails() { return ++step_ == Seams().atomic_write_fault_step; }

  private:
    int step_ = 0;
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

class HandleWriter final : public ContentWriter {
  public:
    HandleWriter(HANDLE handle, FaultPoint& faults) : handle_(handle), faults_(faults) {}
    bool Write(std::string_view bytes) override { return WriteEverything(handle_, bytes, faults_); }
    bool WriteAt(std::uint64_t offset, std::string_view bytes) override {
        LARGE_INTEGER at{};
        at.QuadPart = static_cast<LONGLONG>(offset);
        return SetFilePointerEx(handle_, at, nullptr, FILE_BEGIN) && Write(bytes) &&
               SetFilePointerEx(handle_, LARGE_INTEGER{}, nullptr, FILE_END);
    }

  private:
    HANDLE handle_;
    FaultPoint& faults_;
};

// The last resort when another program keeps the file open: write over it.
bool WriteInPlace(const std::string& path, const ContentProducer& produce) {
    ScopedHandle file(CreateFileA(path.c_str(), GENERIC_WRITE, FILE_SHARE_READ, nullptr,
                                  OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file.valid()) return false;
    FaultPoint no_faults_here;
    HandleWriter writer(file.get(), no_faults_here);
    return produce(writer) && SetEndOfFile(file.get()) && FlushFileBuffers(file.get()) &&
           file.reset();
}

}  // namespace

bool ReplaceFileAtomically(const std::string& path, std::string_view bytes, SaveFlush flush,
                           HeldFile held) {
    return ReplaceFileAtomically(
        path, [bytes](ContentWriter& writer) { return writer.Write(bytes); }, flush, held);
}

bool ReplaceFileAtomically(const std::string& path, const ContentProducer& produce, SaveFlush flush,
                           HeldFile held) {
    const DWORD attributes = GetFileAttributesA(path.c_str());
    if (attributes != INVALID_FILE_ATTRIBUTES &&
        (attributes & (FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_DIRECTORY)) != 0) {
        SetLastError(ERROR_ACCESS_DENIED);
        return false;
    }

    const std::string temporary = TemporaryPathFor(path);
    FaultPoint faults;
    const bool abandon = Seams().abandon_on_fault;
    // Every failure leaves the old file as it was, removes the temporary one
    // and keeps the error that stopped the save for the caller's report.
    const auto fail = [&](DWORD error) {
        if (!abandon) DeleteFileA(temporary.c_str());
        SetLastError(error != 0 ? error : ERROR_WRITE_FAULT);
        return false;
    };
    ScopedHandle file(faults.Fails() ? INVALID_HANDLE_VALUE
                                     : CreateFileA(temporary.c_str(), GENERIC_WRITE, 0, nullptr,
                                                   CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file.valid()) {
        const DWORD error = GetLastError();
        SetLastError(error != 0 ? error : ERROR_WRITE_FAULT);
        return false;
    }

    HandleWriter writer(file.get(), faults);
    const bool written = produce(writer) && !faults.Fails() &&
                         (flush == SaveFlush::NoFlush || FlushFileBuffers(file.get())) &&
                         !faults.Fails() && file.reset();
    if (!written) {
        const DWORD error = GetLastError();
        file.reset();
        return fail(error);
    }
    if (faults.Fails()) return fail(ERROR_WRITE_FAULT);

    DWORD error = 0;
    for (int attempt = 0; attempt < kMoveAttempts; ++attempt) {
        if (attempt > 0) Sleep(kMoveRetryMs);
        const DWORD through = flush == SaveFlush::Flush ? MOVEFILE_WRITE_THROUGH : 0;
        const bool moved =
            Seams().move_error == 0 &&
            MoveFileExA(temporary.c_str(), path.c_str(), MOVEFILE_REPLACE_EXISTING | through);
        if (moved) return true;
        error = Seams().move_error != 0 ? Seams().move_error : GetLastError();
        // A status mirror is rewritten on the next change anyway: it never
        // stalls the window waiting for a reader, nor writes in place.
        if (!IsSharingRefusal(error) || flush == SaveFlush::NoFlush) return fail(error);
    }
    // Another program holds the file open and will not let it be replaced:
    // writing over it is the one way left not to lose the save, unless the
    // file is a copy that must never be half written.
    if (held == HeldFile::Refuse) return fail(error);
    if (!WriteInPlace(path, produce)) return fail(GetLastError());
    DeleteFileA(temporary.c_str());
    return true;
}

void TraceSaveFailure(const std::string& what, unsigned long error) {
    const std::string line =
        "Vemo: " + what + " failed, Win32 error " + std::to_string(error) + "\n";
    OutputDebugStringA(line.c_str());
}

std::string TemporaryPathFor(const std::string& path) {
    return TemporaryPathOf(path, ThisPcName());
}

void RemoveLeftoverTemporary(const std::string& path) {
    DeleteFileA(TemporaryPathFor(path).c_str());
}

}  // namespace vemo
