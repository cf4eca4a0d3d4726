// Path arithmetic that needs no platform calls.
#pragma once

#include <string>
#include <string_view>

namespace vemo {

// The folder of a module's full path, with its trailing backslash, so a file
// name can be appended directly; a name without any backslash is returned whole.
std::string FolderOfModulePath(std::string_view module_path);

// The name under which a save by `owner` (a computer and a user) is written
// before it replaces `path`: in the same folder, so the replacing move never
// crosses volumes, and the owner's own, so a start on one PC never removes
// the save another PC is writing into a synced folder.
std::string TemporaryPathOf(std::string_view path, std::string_view owner);

// A folder's name for system-wide objects (the one-Vemo-per-folder guard):
// 16 hex digits of the 64-bit FNV-1a hash of the path with ASCII letters
// lowered, '/' read as '\\' and closing separators dropped, since the file
// system names one folder all those ways.
std::string FolderKey(std::string_view folder);
// Two file names the way Windows compares them (ASCII letters in either
// case).
bool SameFileName(std::string_view a, std::string_view b);

// A path as the settings file keeps it: one inside `folder` (which ends in
// a backslash) relative to it, so a program folder synced between two PCs
// with different user folders names the same file on both; any other path
// as it is. And back: a relative path read from the settings lies in
// `folder`, an absolute one (a drive, a share, a root) stands.
std::string PathRelativeTo(std::string_view path, std::string_view folder);
std::string PathInFolder(std::string_view path, std::string_view folder);

}  // namespace vemo
