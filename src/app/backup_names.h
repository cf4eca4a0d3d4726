// Names of the database's copies in the "backups" folder beside it, and which
// of the dated ones a start deletes. Portable.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace vemo {

// How many dated copies of one database are kept, for each computer.
inline constexpr std::size_t kDatedBackupsKept = 14;

// The "backups" folder in the database's own folder, without a closing
// backslash ("backups" for a bare file name).
std::string BackupFolderFor(std::string_view database_path);
// The database's file name without its extension: "vemo" for "C:\Vemo\vemo.dat".
std::string BackupStemOf(std::string_view database_path);

// "<stem>-<date>.<computer>.dat", the date as "yyyy-mm-dd": the copy of the
// day's first start on that computer (a database in a synced folder is
// started on several); "<stem>-<date>.dat" without a computer's name, as
// older copies are named.
std::string DatedBackupName(std::string_view stem, std::string_view date,
                            std::string_view computer);
// "<stem>-<date>-<hhmmss>.dat" from the time as "hh:mm:ss"; a later attempt
// (2, 3, ...) adds "-<attempt>" so it never meets an earlier copy's name.
std::string ClearAllBackupName(std::string_view stem, std::string_view date, std::string_view time,
                               int attempt);

// Before a merge is written, the file as found and this PC's list before the
// merge: "<stem>-<date>-<hhmmss>.<computer>.found.dat" and ".here.dat".
std::string MergeBackupName(std::string_view stem, std::string_view date, std::string_view time,
                            std::string_view computer, bool found);
// Of a folder's file names, this computer's merge pairs of this stem older
// than the newest `keep` pairs.
std::vector<std::string> MergeBackupsToDelete(std::vector<std::string> names, std::string_view stem,
                                              std::string_view computer,
                                              std::size_t keep = kDatedBackupsKept);

// Exactly "<stem>-dddd-dd-dd.<computer>.dat", or an older copy's
// "<stem>-dddd-dd-dd.dat", compared as Windows compares file names (ASCII
// case ignored).
bool IsDatedBackupName(std::string_view name, std::string_view stem, std::string_view computer);
// Of a folder's file names, this computer's dated copies of this stem (and
// the older copies without a computer's name) older than the newest `keep`;
// nothing else is ever among them, another computer's copies least of all.
std::vector<std::string> DatedBackupsToDelete(std::vector<std::string> names, std::string_view stem,
                                              std::string_view computer,
                                              std::size_t keep = kDatedBackupsKept);

}  // namespace vemo
