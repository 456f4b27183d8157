#include "app/AtomicFile.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <algorithm>
#include <filesystem>
#include <string>
#include <vector>

#include "AppTestSupport.h"
#include "app/LinkList.h"
#include "app/Utf.h"

namespace quillon {
namespace {

using test::ReadBytes;
using test::TTempFolder;
using test::WriteBytes;

// Writes the first half of what it is given, then reports a full disk.
class THalfWriter : public TFileWriter {
public:
  int WriteAll(int fd, std::string_view data) override {
    std::string_view half = data.substr(0, data.size() / 2);
    if (TPosixFileWriter().WriteAll(fd, half) != 0)
      return EIO;
    halfWritten = half.size();
    return ENOSPC;
  }
  size_t halfWritten = 0;
};

unsigned ModeOf(const std::string& path) {
  struct stat info {};
  stat(path.c_str(), &info);
  return info.st_mode & 07777;
}

TEST(AtomicSave, TemporariesOfSavesWhoseProcessIsGoneAreRemoved) {
  TTempFolder folder;
  const std::string path = folder.File("list.txt");
  WriteBytes(path, "a\r\n");
  // A save killed midway left its temporary file for good before (110 MB in one case).
  // Process ids are below 2^22 on Linux, so 999999999 is no process; the parent of this test
  // runs, and so does this process.
  const std::string live = ".list.txt." + std::to_string(getppid()) + ".tmp";
  const std::string own = ".list.txt." + std::to_string(getpid()) + "-3.tmp";
  for (const std::string& name :
       {std::string(".list.txt.999999999.tmp"), std::string(".list.txt.999999998-1.tmp"), live,
        own, std::string(".list.txt.notanid.tmp"), std::string(".other.txt.999999999.tmp")})
    WriteBytes(folder.File(name), "half a list");
  std::vector<std::string> kept = {".list.txt.notanid.tmp", own, live,
                                   ".other.txt.999999999.tmp", "list.txt"};
  std::sort(kept.begin(), kept.end());
  std::string keptListing;
  for (const std::string& name : kept)
    keptListing += (keptListing.empty() ? "" : " ") + name;
  EXPECT_EQ(2, RemoveStaleTemporaries(path));
  EXPECT_EQ(keptListing, folder.Listing());
  // A save removes them too.
  WriteBytes(folder.File(".list.txt.999999997.tmp"), "half");
  EXPECT_EQ(0, ReplaceFileAtomically(path, "b\r\n", DefaultFileWriter()));
  EXPECT_EQ(keptListing, folder.Listing());
}

TEST(AtomicSave, FailedWriteLeavesTheOldFileAndNoTemporary) {
  TTempFolder folder;
  std::string path = folder.File("list.txt");
  const std::string old = "\xEF\xBB\xBF" "a\r\nb\r\nb\r\n";
  WriteBytes(path, old);
  TLinkList list("en_US", 1252);
  list.Load(path);
  list.Add(u"a long new entry that makes the file bigger");

  THalfWriter writer;
  std::string error;
  try {
    list.Save(path, writer);
  } catch (const std::exception& e) {
    error = e.what();
  }
  EXPECT_EQ("Cannot create file \"" + path + "\". No space left on device", error);
  EXPECT_GT(writer.halfWritten, 0u);
  EXPECT_EQ(old, ReadBytes(path));
  EXPECT_EQ("list.txt", folder.Listing());
  // The duplicates are gone from the list even though the file was not written.
  EXPECT_EQ(3, list.Count());
}

// Writes what it is given until the disk "fills" after a number of bytes.
class TFillingWriter : public TFileWriter {
public:
  explicit TFillingWriter(size_t room) : room(room) {}
  int WriteAll(int fd, std::string_view data) override {
    if (data.size() > room)
      return ENOSPC;
    room -= data.size();
    ++pieces;
    return TPosixFileWriter().WriteAll(fd, data);
  }
  size_t room;
  int pieces = 0;
};

TEST(AtomicSave, ADiskFullHalfwayThroughABigListLeavesTheOldFile) {
  TTempFolder folder;
  const std::string path = folder.File("list.txt");
  std::vector<std::u16string> entries;
  for (int i = 0; i < 20000; ++i)
    entries.push_back(u"[url=https://blog.example/" + FromUtf8(std::to_string(i)) + u"]post[/url]");
  const std::string old = EncodeListFile(entries, TListEncoding::Utf8, 1252);
  WriteBytes(path, old);
  TLinkList list("en_US", 1252);
  list.Load(path);
  list.Add(u"[url=https://blog.example/new]new[/url]");
  TFillingWriter writer(old.size() / 2);
  EXPECT_THROW(list.Save(path, writer), std::exception);
  EXPECT_GT(writer.pieces, 1); // it failed after writing some pieces
  EXPECT_EQ(old, ReadBytes(path));
  EXPECT_EQ("list.txt", folder.Listing());
  TFillingWriter roomy(old.size() * 2);
  list.Save(path, roomy);
  EXPECT_EQ(EncodeListFile(list.Entries(), TListEncoding::Utf8, 1252), ReadBytes(path));
}

TEST(AtomicSave, ReplacesWholeFileAndKeepsItsMode) {
  TTempFolder folder;
  std::string path = folder.File("list.txt");
  WriteBytes(path, "old old old old old\r\n");
  chmod(path.c_str(), 0640);
  EXPECT_EQ(0, ReplaceFileAtomically(path, "new\r\n", DefaultFileWriter()));
  EXPECT_EQ("new\r\n", ReadBytes(path));
  EXPECT_EQ(0640u, ModeOf(path));
  EXPECT_EQ("list.txt", folder.Listing());
}

TEST(AtomicSave, NewFileGetsModeFromUmask) {
  TTempFolder folder;
  mode_t saved = umask(027);
  int result = ReplaceFileAtomically(folder.File("new.txt"), "x", DefaultFileWriter());
  umask(saved);
  EXPECT_EQ(0, result);
  EXPECT_EQ(0640u, ModeOf(folder.File("new.txt")));
}

TEST(AtomicSave, FollowsSymbolicLinks) {
  TTempFolder folder;
  std::filesystem::create_directory(folder.Path() / "real");
  std::string real = folder.File("real/list.txt");
  std::string link = folder.File("link.txt");
  WriteBytes(real, "old");
  std::filesystem::create_symlink("real/list.txt", link);

  EXPECT_EQ(0, ReplaceFileAtomically(link, "new", DefaultFileWriter()));
  EXPECT_TRUE(std::filesystem::is_symlink(link));
  EXPECT_EQ("new", ReadBytes(real));
  EXPECT_EQ("link.txt real", folder.Listing());

  // A link to a file not yet made: the file is made, the link stays.
  std::string dangling = folder.File("dangling.txt");
  std::filesystem::create_symlink("real/later.txt", dangling);
  EXPECT_EQ(0, ReplaceFileAtomically(dangling, "later", DefaultFileWriter()));
  EXPECT_TRUE(std::filesystem::is_symlink(dangling));
  EXPECT_EQ("later", ReadBytes(folder.File("real/later.txt")));
}

TEST(AtomicSave, UncreatableTargets) {
  TTempFolder folder;
  TLinkList list("en_US", 1252);
  std::string inMissingFolder = folder.File("no/such/folder/list.txt");
  std::string error;
  try {
    list.Save(inMissingFolder);
  } catch (const std::exception& e) {
    error = e.what();
  }
  EXPECT_EQ("Cannot create file \"" + inMissingFolder + "\". No such file or directory", error);
  EXPECT_EQ(EISDIR, ReplaceFileAtomically(folder.Path().string(), "x", DefaultFileWriter()));
  EXPECT_EQ("", folder.Listing());
}

} // namespace
} // namespace quillon
