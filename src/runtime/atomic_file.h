// Saves that never leave a half-written file: the new content goes to a
// temporary file beside the old one, is flushed, and then replaces it in one
// move, so a crash at any moment leaves either the old or the new file whole.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>

namespace vemo {

// Whether the new content reaches the disk before the move. A status mirror
// that is rewritten every few seconds needs only the move's atomicity.
enum class SaveFlush { Flush, NoFlush };

// Replaces the file at `path` with `bytes`. Returns false, with the old file
// untouched, no temporary file left and the platform's last error saying
// why, when any write, flush, close or the move fails or the file is
// read-only. Only when another program holds the file open, so the move is
// refused, does it retry for about 0.4 s and then write in place; a NoFlush
// save gives up at once instead.
// What a save does when another program holds the file open and the move is
// refused: write over it in place (a save that must not be lost), or fail
// (a copy, such as an export, that must never be half written).
enum class HeldFile { WriteInPlace, Refuse };

bool ReplaceFileAtomically(const std::string& path, std::string_view bytes,
                           SaveFlush flush = SaveFlush::Flush,
                           HeldFile held = HeldFile::WriteInPlace);

// Where a save's content goes, piece by piece, so a large file need not be
// built in memory first. False: the piece could not be written.
class ContentWriter {
  public:
    virtual ~ContentWriter() = default;
    virtual bool Write(std::string_view bytes) = 0;
    // Over bytes written earlier (a header known only at the end).
    virtual bool WriteAt(std::uint64_t offset, std::string_view bytes) = 0;
};
// Writes the whole content; may be run more than once (the in-place write
// runs it again), so it starts from the same state each time.
using ContentProducer = std::function<bool(ContentWriter&)>;
bool ReplaceFileAtomically(const std::string& path, const ContentProducer& produce,
                           SaveFlush flush = SaveFlush::Flush,
                           HeldFile held = HeldFile::WriteInPlace);

// Leaves "Vemo: <what> failed, Win32 error <n>" in the debugger output, so a
// failed save can be diagnosed from a user's report.
void TraceSaveFailure(const std::string& what, unsigned long error);

// The temporary file this computer and user write a save of `path` to.
std::string TemporaryPathFor(const std::string& path);
// Removes the temporary file a crashed save of this computer and user may
// have left beside `path`; another's is left alone.
void RemoveLeftoverTemporary(const std::string& path);

}  // namespace vemo
