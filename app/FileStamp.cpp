#include "app/FileStamp.h"

#include <sys/stat.h>

namespace quillon {

namespace {

bool SameTime(const timespec& a, const timespec& b) {
  return a.tv_sec == b.tv_sec && a.tv_nsec == b.tv_nsec;
}

} // namespace

bool TFileStamp::operator==(const TFileStamp& other) const {
  if (exists != other.exists)
    return false;
  if (!exists)
    return true;
  return device == other.device && inode == other.inode && size == other.size &&
         SameTime(modified, other.modified) && SameTime(changed, other.changed);
}

TFileStamp StampOf(const std::string& path) {
  TFileStamp stamp;
  struct stat info {};
  if (stat(path.c_str(), &info) != 0)
    return stamp;
  stamp.exists = true;
  stamp.device = info.st_dev;
  stamp.inode = info.st_ino;
  stamp.size = info.st_size;
  stamp.modified = info.st_mtim;
  stamp.changed = info.st_ctim;
  return stamp;
}

} // namespace quillon
