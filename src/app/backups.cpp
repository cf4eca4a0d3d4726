#include "app/backups.h"

#include <vector>

#include "app/backup_names.h"
#include "app/task_record.h"
#include "runtime/atomic_file.h"
#include "runtime/files.h"
#include "runtime/scoped.h"
#include "runtime/shell.h"

namespace vemo {

namespace {

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

}  // namespace

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
    const std::string copy = folder + "\\" + DatedBackupName(stem, date);
    if (!CopyAsPlainFile(database_path, copy)) {
        const DWORD error = GetLastError();
        if (!NameTaken(error)) TraceSaveFailure("Dated backup", error);
    }
    for (const std::string& old : DatedBackupsToDelete(FileNamesIn(folder), stem)) {
        if (!RemoveFile(folder + "\\" + old)) {
            TraceSaveFailure("Dated backup rotation", GetLastError());
        }
    }
}

bool KeepClearAllCopy(const std::string& database_path) {
    if (GetFileAttributesA(database_path.c_str()) == INVALID_FILE_ATTRIBUTES) {
        const DWORD error = GetLastError();
        if (error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND) return true;
    }
    const std::string folder = BackupFolderFor(database_path);
    if (!MakeFolder(folder)) return false;
    const std::string stem = BackupStemOf(database_path);
    const std::string date = DateText(kBackupDatePicture);
    const std::string time = TimeText();
    for (int attempt = 1; attempt <= kMostCopyNames; ++attempt) {
        const std::string copy = folder + "\\" + ClearAllBackupName(stem, date, time, attempt);
        if (CopyAsPlainFile(database_path, copy)) return true;
        if (!NameTaken(GetLastError())) return false;
    }
    return false;
}

}  // namespace vemo
