// Copies of the database in the "backups" folder beside it: one a day from
// the start-up, and one before each Clear All, so a bad day can be undone by
// copying one back.
#pragma once

#include <string>

namespace vemo {

// The day's copy of a database that holds at least one task; a later start
// the same day keeps the first one's. The dated copies of that database past
// the newest 14 are deleted. Quiet: a failure leaves only a trace.
void KeepDatedBackup(const std::string& database_path);

// A copy named for the date and second, never over an earlier one. True when
// made, or when there is no file to keep; false, with the platform's last
// error saying why, when the file could not be copied.
bool KeepClearAllCopy(const std::string& database_path);

}  // namespace vemo
