// What a list file looked like when it was read, so that a save can tell whether another
// program (or another Quillon) has written it since.
#pragma once

#include <sys/types.h>

#include <ctime>
#include <string>

namespace quillon {

struct TFileStamp {
  bool exists = false;
  dev_t device = 0;
  ino_t inode = 0;
  off_t size = 0;
  timespec modified{};
  // Every write and every rename in place moves the change time, which the writer cannot
  // set back, unlike the modification time.
  timespec changed{};

  bool operator==(const TFileStamp& other) const;
};

// The stamp of the file a path leads to (links followed); exists is false when there is
// none or it cannot be examined.
TFileStamp StampOf(const std::string& path);

} // namespace quillon
