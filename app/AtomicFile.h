// Replacing a file so that a reader or a crash sees either the old bytes or the new ones,
// never a half-written file.
#pragma once

#include <cstddef>
#include <functional>
#include <string>
#include <string_view>

namespace quillon {

// The one step of a save that moves bytes to the disk. The POSIX writer is the product's;
// tests put a failing one in its place to prove that a failed save leaves the old file alone.
class TFileWriter {
public:
  virtual ~TFileWriter() = default;
  // Writes all of data to fd; returns 0 or an errno value.
  virtual int WriteAll(int fd, std::string_view data) = 0;
};

// write(2) in a loop, retrying on EINTR and short writes.
class TPosixFileWriter : public TFileWriter {
public:
  int WriteAll(int fd, std::string_view data) override;
};

TFileWriter& DefaultFileWriter();

// Writes bytes to a temporary file beside the real target (symlinks resolved), named
// ".NAME.PID.tmp" after the file and the process, flushes it,
// gives it the old file's permission bits (new files: 0666 less the umask), renames it over
// the target and flushes the folder. On failure the temporary file is removed, the target
// is untouched and the errno value of the failing step is returned; 0 on success.
int ReplaceFileAtomically(const std::string& path, std::string_view bytes, TFileWriter& writer);

// Takes bytes in pieces, in order; answers 0 or the errno value of a failed write.
using TWriteBytes = std::function<int(std::string_view)>;
// What ReplaceFileAtomically answers when stillCurrent said no just before the rename: the
// target is untouched and no temporary file is left.
inline constexpr int kFileChangedMeanwhile = -1;
// The same with bytes made piece by piece: produce calls its argument for every piece and
// answers the first error it got (or its own), so that a big file is never whole in memory.
// stillCurrent, when given, is asked just before the rename whether the target is still
// the file the bytes were made for.
int ReplaceFileAtomically(const std::string& path,
                          const std::function<int(const TWriteBytes&)>& produce,
                          TFileWriter& writer,
                          const std::function<bool()>& stillCurrent = nullptr);

// Removes the temporary files (".NAME.PID.tmp") that saves of the file a path leads to left
// behind when their process was killed or crashed: those whose process is gone. Answers how
// many went.
int RemoveStaleTemporaries(const std::string& path);

// Makes the folder the file a path leads to would be in, and any missing folders above it,
// readable by the owner only (the rule for a user's data folders). Returns 0 (also when
// all exist) or the errno value of the step that failed.
int MakeFolderFor(const std::string& path);

// The real file a path leads to: the path itself when nothing exists there yet (or a
// dangling link's target, so that saving through such a link creates the file it names).
std::string ResolveSaveTarget(const std::string& path);

} // namespace quillon
