// A save whose file another program (or another Quillon) changed after the list read it
// merges: the file's entries now, plus what the list added, minus what it deleted since it
// last read or wrote the file. Before, such a save was refused for good ("was changed by
// another program after it was loaded. Nothing was saved"), so the user's own entries could
// never be saved.
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdio>
#include <filesystem>
#include <fstream>

#include "AppTestSupport.h"
#include "app/AtomicFile.h"
#include "app/LinkList.h"
#include "app/Utf.h"

namespace quillon {
namespace {

using test::Dump;
using test::ReadBytes;
using test::TTempFolder;
using test::WriteBytes;

class SaveConflict : public ::testing::Test {
protected:
  std::string SaveError(TLinkList& list) {
    try {
      list.Save(path);
    } catch (const std::exception& e) {
      return e.what();
    }
    return "saved";
  }
  // Another program writes the file its own way: a new file renamed over the old one.
  void Replace(const std::string& bytes) {
    const std::string temp = path + ".other";
    WriteBytes(temp, bytes);
    std::filesystem::rename(temp, path);
  }
  TTempFolder folder;
  std::string path = folder.File("list.txt");
  TLinkList list{"en_US", 1252};
};

TEST_F(SaveConflict, OwnSavesFollowOneAnother) {
  WriteBytes(path, "b\r\na\r\n");
  list.Load(path);
  list.Add(u"c");
  EXPECT_EQ("saved", SaveError(list));
  list.Add(u"d");
  const TListSaveResult second = list.Save(path);
  EXPECT_FALSE(second.Merged);
  EXPECT_EQ("a\r\nb\r\nc\r\nd\r\n", ReadBytes(path));
}

TEST_F(SaveConflict, AddsAndDeletesOfBothSidesAreKept) {
  WriteBytes(path, "a\r\nb\r\nc\r\n");
  list.Load(path);
  list.Add(u"mine");
  list.Delete(1); // b
  // Meanwhile: another program adds "theirs" and deletes "c".
  Replace("a\r\nb\r\ntheirs\r\n");
  const TListSaveResult saved = list.Save(path);
  EXPECT_TRUE(saved.Merged);
  EXPECT_EQ(1u, saved.MergedAdded);
  EXPECT_EQ(1u, saved.MergedDeleted);
  EXPECT_EQ("a\r\nmine\r\ntheirs\r\n", ReadBytes(path));
  EXPECT_EQ("[a|mine|theirs]", Dump(list.Entries()));
  // The merge is the new base: saving again changes nothing.
  EXPECT_FALSE(list.Save(path).Merged);
  EXPECT_EQ("a\r\nmine\r\ntheirs\r\n", ReadBytes(path));
}

TEST_F(SaveConflict, BothSidesAddingOrDeletingTheSameEntry) {
  WriteBytes(path, "a\r\nx\r\n");
  list.Load(path);
  list.Add(u"both");
  list.Delete(list.Find(u"x"));
  Replace("a\r\nboth\r\n"); // they added "both" too and deleted "x" too
  list.Save(path);
  // Each side's add is one entry; the repeat goes as in every save.
  EXPECT_EQ("a\r\nboth\r\n", ReadBytes(path));
}

TEST_F(SaveConflict, ADeletedEntryTheOtherKeptIsDeletedOneItAddedAgainStays) {
  WriteBytes(path, "keep\r\ngone\r\n");
  list.Load(path);
  list.Delete(list.Find(u"gone"));
  // The other program kept "gone" and added a second one.
  Replace("keep\r\ngone\r\ngone\r\n");
  list.Save(path);
  EXPECT_EQ("gone\r\nkeep\r\n", ReadBytes(path));
  // Deleted again and kept by the other: gone for good.
  list.Delete(list.Find(u"gone"));
  Replace("gone\r\nkeep\r\nnew\r\n");
  list.Save(path);
  EXPECT_EQ("keep\r\nnew\r\n", ReadBytes(path));
}

TEST_F(SaveConflict, AnEntryOneSideDeletedAndTheOtherChanged) {
  WriteBytes(path, "[url=a]Old[/url]\r\nz\r\n");
  list.Load(path);
  list.Delete(list.Find(u"[url=a]Old[/url]"));
  // The other program edited the entry the list deleted: its edit is an entry of its own.
  Replace("[url=a]Old, edited[/url]\r\nz\r\n");
  list.Save(path);
  EXPECT_EQ("[url=a]Old, edited[/url]\r\nz\r\n", ReadBytes(path));
}

TEST_F(SaveConflict, TheFileKeepsItsOwnEncoding) {
  // Read as UTF-8 with a mark; the other program rewrote it as UTF-16, without "a".
  WriteBytes(path, "\xEF\xBB\xBF" "a\r\n");
  list.Load(path);
  list.Add(u"中");
  Replace(std::string("\xFF\xFE" "b\0\r\0\n\0", 8));
  list.Save(path);
  EXPECT_EQ(std::string("\xFF\xFE" "b\0\r\0\n\0\x2D\x4E\r\0\n\0", 14), ReadBytes(path));
  EXPECT_EQ(TListEncoding::Utf16LE, list.Encoding());
  // An ANSI file from the other program that cannot hold the list's new entry becomes UTF-8.
  list.Add(u"שלום");
  Replace("b\r\ncaf\xE9\r\n");
  EXPECT_TRUE(list.Save(path).ChangedToUtf8);
  EXPECT_EQ("\xEF\xBB\xBF" "b\r\ncaf\xC3\xA9\r\n\xD7\xA9\xD7\x9C\xD7\x95\xD7\x9D\r\n", ReadBytes(path));
}

TEST_F(SaveConflict, AMergeKeepsTheFilesOwnLineEnd) {
  // Read with CR LF; the other program rewrote it with LF alone, as Linux editors do.
  // Before, the merge wrote it back with CR LF.
  WriteBytes(path, "a\r\nb\r\n");
  list.Load(path);
  list.Add(u"c");
  Replace("a\nb\nz\n");
  const TListSaveResult merged = list.Save(path);
  EXPECT_TRUE(merged.Merged);
  EXPECT_EQ(TLineEnd::Lf, merged.LineEnd);
  EXPECT_EQ("a\nb\nc\nz\n", ReadBytes(path));
  // A plain save writes CR LF, as every save of a list always has.
  list.Delete(0);
  EXPECT_EQ(TLineEnd::CrLf, list.Save(path).LineEnd);
  EXPECT_EQ("b\r\nc\r\nz\r\n", ReadBytes(path));
  // A version with CR LF merges with CR LF.
  list.Add(u"d");
  Replace("b\r\nc\r\nz\r\ny\r\n");
  list.Save(path);
  EXPECT_EQ("b\r\nc\r\nd\r\ny\r\nz\r\n", ReadBytes(path));
}

TEST_F(SaveConflict, AFileWrittenInPlaceIsMergedToo) {
  WriteBytes(path, "a\r\n");
  list.Load(path);
  list.Add(u"mine");
  // An editor that appends to the file where it stands (same inode).
  std::ofstream(path, std::ios::binary | std::ios::app) << "z\r\n";
  EXPECT_EQ("saved", SaveError(list));
  EXPECT_EQ("a\r\nmine\r\nz\r\n", ReadBytes(path));
}

TEST_F(SaveConflict, AFileMadeSinceAFailedLoadIsMerged) {
  EXPECT_THROW(list.Load(path), std::exception);
  WriteBytes(path, "made meanwhile\r\n");
  list.Add(u"mine");
  EXPECT_EQ("saved", SaveError(list));
  EXPECT_EQ("made meanwhile\r\nmine\r\n", ReadBytes(path));
}

TEST_F(SaveConflict, AFileStillMissingOrRemovedIsWritten) {
  EXPECT_THROW(list.Load(path), std::exception);
  list.Add(u"first");
  EXPECT_EQ("saved", SaveError(list));
  EXPECT_EQ("\xEF\xBB\xBF" "first\r\n", ReadBytes(path));
  // Removed by someone: there is nothing to lose, so the list is written again.
  std::filesystem::remove(path);
  EXPECT_EQ("saved", SaveError(list));
  EXPECT_EQ("\xEF\xBB\xBF" "first\r\n", ReadBytes(path));
}

TEST_F(SaveConflict, AFileThatCannotBeReadAtMergeTimeIsNotWritten) {
  WriteBytes(path, "a\r\n");
  list.Load(path);
  list.Add(u"mine");
  // Replaced by something that is no list at all.
  std::filesystem::remove(path);
  ASSERT_EQ(0, mkfifo(path.c_str(), 0600));
  EXPECT_EQ("Cannot create file \"" + path + "\". Not a regular file (a FIFO)", SaveError(list));
  EXPECT_EQ("[a|mine]", Dump(list.Entries()));
  std::filesystem::remove(path);
  if (geteuid() != 0) {
    WriteBytes(path, "theirs\r\n");
    chmod(path.c_str(), 0);
    EXPECT_EQ("Cannot open file \"" + path + "\". Permission denied", SaveError(list));
    chmod(path.c_str(), 0600);
    EXPECT_EQ("theirs\r\n", ReadBytes(path));
    EXPECT_EQ("[a|mine]", Dump(list.Entries()));
  }
}

// Writes the file anew (a change another program makes) the first times the save asks
// whether the file is still the one it merged, just before its rename.
class TRacingWriter : public TFileWriter {
public:
  TRacingWriter(std::string path, int races) : FPath(std::move(path)), FRaces(races) {}
  int WriteAll(int fd, std::string_view data) override {
    if (FRaces-- > 0) {
      const std::string temp = FPath + ".race";
      WriteBytes(temp, "a\r\nrace" + std::to_string(FRaces) + "\r\n");
      std::filesystem::rename(temp, FPath);
    }
    return TPosixFileWriter().WriteAll(fd, data);
  }

private:
  std::string FPath;
  int FRaces;
};

TEST_F(SaveConflict, AChangeBetweenTheMergeAndTheRenameIsMergedAgain) {
  WriteBytes(path, "a\r\n");
  list.Load(path);
  list.Add(u"mine");
  TRacingWriter twice(path, 2);
  const TListSaveResult saved = list.Save(path, twice);
  EXPECT_TRUE(saved.Merged);
  // The last file written under the save is the one merged.
  EXPECT_EQ("a\r\nmine\r\nrace0\r\n", ReadBytes(path));
  EXPECT_EQ("list.txt", folder.Listing());

  // A file that never stops changing: nothing is written, the entries stay.
  list.Add(u"more");
  TRacingWriter always(path, 100);
  const std::string error = [&] {
    try {
      list.Save(path, always);
    } catch (const std::exception& e) {
      return std::string(e.what());
    }
    return std::string("saved");
  }();
  EXPECT_EQ("The file \"" + path +
                "\" kept being changed by another program while it was saved. Nothing was "
                "saved; the window keeps every entry",
            error);
  EXPECT_NE(std::string::npos, Dump(list.Entries()).find("more"));
  EXPECT_EQ("list.txt", folder.Listing());
}

TEST_F(SaveConflict, ABigListMergesLikeASmallOne) {
  // Ten thousand entries, so that the merge works with its big-list ways: the file as
  // Quillon wrote it, the other program deletes two and appends three at the end (one of
  // them twice, one the list deletes too), the list adds two and deletes two.
  auto entry = [](int i) {
    return "[url=https://blog.example/" + std::to_string(i * 7919 % 10007) + "]Post " +
           std::to_string(i) + "[/url]";
  };
  std::string mine;
  for (int i = 0; i < 10000; ++i)
    mine += entry(i) + "\r\n";
  WriteBytes(path, mine);
  list.Load(path);
  list.Save(path); // in order, as Quillon writes it
  const std::string sorted = ReadBytes(path);
  std::string theirs = sorted;
  for (int gone : {17, 4242}) {
    const std::string line = entry(gone) + "\r\n";
    theirs.erase(theirs.find(line), line.size());
  }
  theirs += "zz appended\r\nAA appended\r\nzz appended\r\n" + entry(10001) + "\r\n";
  Replace(theirs);
  list.Add(u"mine one");
  list.Add(u"[url=https://blog.example/x]Mine[/url]");
  list.Delete(list.Find(FromUtf8(entry(0))));
  list.Delete(list.Find(FromUtf8(entry(500))));
  const TListSaveResult saved = list.Save(path);
  EXPECT_TRUE(saved.Merged);
  EXPECT_EQ(4u, saved.MergedAdded);
  EXPECT_EQ(2u, saved.MergedDeleted);
  // What a plain sort of the expected entries gives.
  TLinkList expected{"en_US", 1252};
  std::vector<std::u16string> lines;
  for (int i = 0; i < 10000; ++i)
    if (i != 17 && i != 4242 && i != 0 && i != 500)
      lines.push_back(FromUtf8(entry(i)));
  for (const char16_t* more : {u"zz appended", u"AA appended", u"mine one",
                               u"[url=https://blog.example/x]Mine[/url]"})
    lines.push_back(more);
  lines.push_back(FromUtf8(entry(10001)));
  expected.Assign(lines);
  EXPECT_EQ(10001u, saved.Entries);
  EXPECT_TRUE(expected.Entries() == list.Entries());
  EXPECT_EQ(EncodeListFile(expected.Entries(), TListEncoding::Ansi, 1252), ReadBytes(path));
}

TEST_F(SaveConflict, MergeFromFileBringsTheOtherProgramsChangesWithoutWriting) {
  WriteBytes(path, "a\r\nb\r\n");
  list.Load(path);
  // With no change of its own, the list simply takes the file.
  Replace("a\r\nc\r\n");
  EXPECT_TRUE(list.FileChanged());
  TListMergeResult merged = list.MergeFromFile(path);
  EXPECT_EQ(1u, merged.Added);
  EXPECT_EQ(1u, merged.Deleted);
  EXPECT_EQ("[a|c]", Dump(list.Entries()));
  EXPECT_FALSE(list.FileChanged());
  // With changes of its own, they stay and the file's come in; nothing is written.
  list.Add(u"mine");
  Replace("a\r\nc\r\nd\r\n");
  list.MergeFromFile(path);
  EXPECT_EQ("[a|c|d|mine]", Dump(list.Entries()));
  EXPECT_EQ("a\r\nc\r\nd\r\n", ReadBytes(path));
  // The file is the new base: the save adds "mine" and takes nothing else away.
  list.Save(path);
  EXPECT_EQ("a\r\nc\r\nd\r\nmine\r\n", ReadBytes(path));
  // A file that is removed leaves the list as it is.
  std::filesystem::remove(path);
  EXPECT_TRUE(list.MergeFromFile(path).FileGone);
  EXPECT_EQ("[a|c|d|mine]", Dump(list.Entries()));
}

TEST_F(SaveConflict, AnotherPathIsNotCompared) {
  WriteBytes(path, "a\r\n");
  list.Load(path);
  const std::string elsewhere = folder.File("elsewhere.txt");
  WriteBytes(elsewhere, "old\r\n");
  list.Save(elsewhere);
  EXPECT_EQ("a\r\n", ReadBytes(elsewhere));
  // A list that never loaded a file has nothing to compare with.
  TLinkList fresh("en_US", 1252);
  fresh.Add(u"x");
  fresh.Save(path);
  EXPECT_EQ("\xEF\xBB\xBF" "x\r\n", ReadBytes(path));
}

} // namespace
} // namespace quillon
