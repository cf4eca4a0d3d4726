// Saves that never leave a half-written file: the new content goes to a
// temporary file beside the old one, is flushed, and then replaces it in one
// move, so a crash at any moment leaves either the old or the new file whole.
#pragma once

#include <string>
#include <string_view>

namespace vemo {

// Whether the new content reaches the disk before the move. A status mirror
// that is rewritten every few seconds needs only the move's atomicity.
enum class SaveFlush { Flush, NoFlush };

// Replaces the file at `path` with `bytes`. Returns false, with the old file
// untouched and no temporary file left, when any write, flush or close fails
// or the file is read-only. When another program holds the file open so the
// move is refused, it retries for about a second and then writes in place.
bool ReplaceFileAtomically(const std::string& path, std::string_view bytes,
                           SaveFlush flush = SaveFlush::Flush);

// Removes the temporary file a crashed save may have left beside `path`.
void RemoveLeftoverTemporary(const std::string& path);

}  // namespace vemo
