#include "app/AtomicFile.h"

#include <dirent.h>
#include <fcntl.h>
#include <signal.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <climits>
#include <cstdlib>
#include <string_view>

namespace quillon {

namespace {

std::string FolderOf(const std::string& path) {
  size_t slash = path.rfind('/');
  if (slash == std::string::npos)
    return ".";
  if (slash == 0)
    return "/";
  return path.substr(0, slash);
}

// Follows a chain of links by hand; realpath refuses a chain that ends nowhere, and saving
// through a link to a file not yet made should make that file, not replace the link.
std::string FollowLinks(std::string path) {
  for (int hops = 0; hops < 40; ++hops) {
    struct stat info {};
    if (lstat(path.c_str(), &info) != 0 || !S_ISLNK(info.st_mode))
      return path;
    std::string target(PATH_MAX, '\0');
    ssize_t length = readlink(path.c_str(), target.data(), target.size());
    if (length < 0)
      return path;
    target.resize(static_cast<size_t>(length));
    path = target.front() == '/' ? target : FolderOf(path) + "/" + target;
  }
  return path;
}

std::string BaseOf(const std::string& path) {
  size_t slash = path.rfind('/');
  return slash == std::string::npos ? path : path.substr(slash + 1);
}

// A name no one else uses in the target's folder, starting with '.' so that file lists
// do not show it while it is being written, and holding the process id so that a later
// save can tell a file whose writer is gone.
int CreateTemporary(const std::string& target, std::string& tempPath) {
  const std::string stem = FolderOf(target) + "/." + BaseOf(target) + "." + std::to_string(getpid());
  for (int attempt = 0; attempt < 100; ++attempt) {
    tempPath = stem + (attempt == 0 ? "" : "-" + std::to_string(attempt)) + ".tmp";
    // 0666 here lets the umask decide the mode of a new file, as for any created file.
    int fd = open(tempPath.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
    if (fd >= 0 || errno != EEXIST)
      return fd;
  }
  errno = EEXIST;
  return -1;
}

void SyncFolder(const std::string& folder) {
  int fd = open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (fd < 0)
    return;
  // The new name is in place already; a folder that cannot be flushed (some file systems
  // refuse) does not make the save fail.
  fsync(fd);
  close(fd);
}

} // namespace

int TPosixFileWriter::WriteAll(int fd, std::string_view data) {
  while (!data.empty()) {
    ssize_t written = write(fd, data.data(), data.size());
    if (written < 0) {
      if (errno == EINTR)
        continue;
      return errno;
    }
    data.remove_prefix(static_cast<size_t>(written));
  }
  return 0;
}

TFileWriter& DefaultFileWriter() {
  static TPosixFileWriter writer;
  return writer;
}

std::string ResolveSaveTarget(const std::string& path) {
  if (char* real = realpath(path.c_str(), nullptr)) {
    std::string resolved(real);
    std::free(real);
    return resolved;
  }
  return FollowLinks(path);
}

int RemoveStaleTemporaries(const std::string& path) {
  const std::string target = ResolveSaveTarget(path);
  const std::string folder = FolderOf(target);
  const std::string prefix = "." + BaseOf(target) + ".";
  DIR* dir = opendir(folder.c_str());
  if (!dir)
    return 0;
  int removed = 0;
  while (const dirent* entry = readdir(dir)) {
    const std::string_view name = entry->d_name;
    if (!name.starts_with(prefix) || !name.ends_with(".tmp"))
      continue;
    // The process id, then maybe "-N" of a second name in one process.
    const std::string_view middle =
        name.substr(prefix.size(), name.size() - prefix.size() - 4);
    std::size_t digits = 0;
    while (digits < middle.size() && middle[digits] >= '0' && middle[digits] <= '9')
      ++digits;
    if (digits == 0 || digits > 9 || (digits < middle.size() && middle[digits] != '-'))
      continue;
    const pid_t pid = static_cast<pid_t>(std::stol(std::string(middle.substr(0, digits))));
    if (pid <= 0 || pid == getpid() || kill(pid, 0) == 0 || errno != ESRCH)
      continue; // its writer may still be at work
    const std::string file = folder + "/" + std::string(name);
    struct stat info {};
    if (lstat(file.c_str(), &info) == 0 && S_ISREG(info.st_mode) && unlink(file.c_str()) == 0)
      ++removed;
  }
  closedir(dir);
  return removed;
}

int MakeFolderFor(const std::string& path) {
  const std::string folder = FolderOf(ResolveSaveTarget(path));
  struct stat info {};
  if (stat(folder.c_str(), &info) == 0)
    return S_ISDIR(info.st_mode) ? 0 : ENOTDIR;
  if (folder != "/" && folder != ".") {
    if (int error = MakeFolderFor(folder); error != 0)
      return error;
  }
  if (mkdir(folder.c_str(), 0700) != 0 && errno != EEXIST)
    return errno;
  return 0;
}

int ReplaceFileAtomically(const std::string& path, std::string_view bytes, TFileWriter& writer) {
  return ReplaceFileAtomically(
      path, [bytes](const TWriteBytes& write) { return write(bytes); }, writer);
}

int ReplaceFileAtomically(const std::string& path,
                          const std::function<int(const TWriteBytes&)>& produce,
                          TFileWriter& writer, const std::function<bool()>& stillCurrent) {
  if (path.empty())
    return ENOENT;
  const std::string target = ResolveSaveTarget(path);

  struct stat old {};
  const bool replacing = stat(target.c_str(), &old) == 0;
  if (replacing && S_ISDIR(old.st_mode))
    return EISDIR;
  // A FIFO, a device or a socket is not replaced by a file.
  if (replacing && !S_ISREG(old.st_mode))
    return EINVAL;
  RemoveStaleTemporaries(target);

  std::string tempPath;
  int fd = CreateTemporary(target, tempPath);
  if (fd < 0)
    return errno;

  int error = produce([&](std::string_view piece) { return writer.WriteAll(fd, piece); });
  if (error == 0 && fsync(fd) != 0)
    error = errno;
  if (error == 0 && replacing) {
    // Keeping the owner only works for a privileged user; for anyone else the file simply
    // becomes theirs, as any rewritten file would. The mode comes after, as a change of
    // owner may drop set-id bits.
    if (fchown(fd, old.st_uid, old.st_gid) != 0)
      errno = 0;
    if (fchmod(fd, old.st_mode & 07777) != 0)
      error = errno;
  }
  if (close(fd) != 0 && error == 0)
    error = errno;
  if (error == 0 && stillCurrent && !stillCurrent())
    error = kFileChangedMeanwhile;
  if (error == 0 && rename(tempPath.c_str(), target.c_str()) != 0)
    error = errno;
  if (error != 0) {
    unlink(tempPath.c_str());
    return error;
  }
  SyncFolder(FolderOf(target));
  return 0;
}

} // namespace quillon
